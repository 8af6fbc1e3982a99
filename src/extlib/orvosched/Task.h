#pragma once

#include "platform/mfc/Object.h"

#include <QByteArray>

#include <memory>

class CChildProcess;

// A task of the scheduler library: runs one program with its arguments. Holders keep tasks on
// the heap, one holder each, and copy them with Clone.
class CTask : public CObject
{
    DECLARE_SERIAL(CTask);

public:
    // How Properties shows the task's dialog. The library's widgets part installs it
    // (CTaskDialog::Install), so the task itself needs no widgets.
    using PropertiesDialog = int (*)(CTask& task);

    CTask();
    CTask(const CTask& task);
    CTask& operator=(const CTask& task);
    ~CTask() override;

    // Lets the user edit the task in a modal dialog; 1 when accepted (the task then holds the
    // edit), another value otherwise, also when no dialog is installed.
    int Properties();
    static void SetPropertiesDialog(PropertiesDialog pfnDialog);

    virtual std::unique_ptr<CTask> Clone() const;
    // One line for lists: the program's file name.
    QByteArray GetDescription() const;
    // Starts the program and returns without waiting for it to end; the program gets only the
    // task's own arguments, never a shell. False when nothing was started, also while the
    // program of the previous run still runs.
    virtual bool Run();
    // True while the program this task started last still runs. A copy has started none.
    virtual bool IsRunning() const;
    void Serialize(CArchive& ar) override;

    const QByteArray& GetProgram() const { return m_strProgram; }
    void SetProgram(const QByteArray& strProgram) { m_strProgram = strProgram; }
    // As the user typed them: blanks separate arguments, double quotes group them.
    const QByteArray& GetArguments() const { return m_strArguments; }
    void SetArguments(const QByteArray& strArguments) { m_strArguments = strArguments; }

    // Set by an alert's editor on every task it edits: the task then runs when the alert fires,
    // not on a schedule of its own. Tasks here have no schedule, so nothing reads it yet.
    bool m_bAlertTask = false;

private:
    QByteArray m_strProgram; // a path in the file system's encoding
    QByteArray m_strArguments;
    std::unique_ptr<CChildProcess> m_pProcess; // of the last run
};

// Reads a task reference written by WriteObject: a new task, or null where null was stored.
CArchive& operator>>(CArchive& ar, std::unique_ptr<CTask>& pTask);
