// The yardstick for Tellwick's start-up, memory and idle figures: the least a Qt program with
// the same visible parts does (menu, toolbar, status bar, tray icon, a bound UDP socket and a
// repaint every 2 seconds).
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QUdpSocket>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(520, 320);
    const QIcon icon = window.style()->standardIcon(QStyle::SP_MessageBoxInformation);
    QAction* pExit = window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    QObject::connect(pExit, &QAction::triggered, &window, &QWidget::close);
    window.addToolBar(QStringLiteral("Tools"))->addAction(icon, QStringLiteral("Send"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    auto* pView = new QWidget(&window);
    pView->setAutoFillBackground(true);
    window.setCentralWidget(pView);

    QSystemTrayIcon tray(icon);
    tray.setToolTip(QStringLiteral("Minimal"));
    tray.show();
    QUdpSocket socket;
    socket.bind(QHostAddress::AnyIPv4, quint16(qEnvironmentVariableIntValue("TELLWICK_MAILSLOT_PORT")));
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, pView, qOverload<>(&QWidget::update));
    repaint.start(2000);

    window.show();
    return QApplication::exec();
}
