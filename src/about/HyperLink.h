#pragma once

#include <QLabel>
#include <functional>

// A label that acts on a left click: it runs its callback, or else opens its link with the
// desktop's default handler. Only a label set to notify (SetLink or a callback) takes clicks;
// such a label is also a Tab stop that Enter and Space act on, and a link to screen readers.
class CHyperLink : public QLabel
{
    Q_OBJECT

public:
    using Callback = std::function<void()>;

    explicit CHyperLink(QWidget* pParent = nullptr);
    ~CHyperLink() override;

    // Each of these redraws the label at once.
    void SetTextColor(const QColor& crText);
    void SetFontUnderline(bool bUnderline);

    void SetLink(bool bLink);
    // A callback makes the label take clicks; none makes it ignore them.
    void SetCallback(Callback pfnCallback);

    bool TakesClicks() const { return m_bNotify; }
    // Does what a click does.
    void Activate();

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

    void OnLButtonDown();

    Callback m_pfnCallback;
    // What a click opens: the label's text as the first click found it.
    QString m_strLink;
    bool m_bNotify = false;

private:
    void ApplyColors();
    void Redraw();
    void SetNotify(bool bNotify);

    QColor m_crText;
    QFont m_font;
};
