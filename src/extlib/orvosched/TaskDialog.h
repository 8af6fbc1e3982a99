#pragma once

#include <QDialog>

class CTask;
class QLineEdit;

// The task's Properties dialog: the program to start and its arguments.
class CTaskDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CTaskDialog(const CTask& task, QWidget* pParent = nullptr);

    // Writes the dialog's fields into the task.
    void SaveTo(CTask& task) const;

    // Shows the dialog modally over the active window and edits the task on OK; 1 when
    // accepted, 0 otherwise. This is what CTask::Properties shows once installed.
    static int Edit(CTask& task);
    static void Install();

private:
    void OnBrowse();

    QLineEdit* m_pProgramEdit;
    QLineEdit* m_pArgumentsEdit;
};
