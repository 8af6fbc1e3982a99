#include "extlib/orvosched/TaskDialog.h"

#include "extlib/orvosched/Task.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTaskDialog::CTaskDialog(const CTask& task, QWidget* pParent)
    : QDialog(pParent),
      m_pProgramEdit(new QLineEdit(QFile::decodeName(task.GetProgram()), this)),
      m_pArgumentsEdit(new QLineEdit(QString::fromLocal8Bit(task.GetArguments()), this))
{
    setWindowTitle(tr("Task"));
    m_pProgramEdit->setObjectName(QStringLiteral("programLineEdit"));
    m_pArgumentsEdit->setObjectName(QStringLiteral("argumentsLineEdit"));
    m_pProgramEdit->setMinimumWidth(280);

    auto* pBrowseButton = new QPushButton(tr("&Browse..."), this);
    pBrowseButton->setObjectName(QStringLiteral("browsePushButton"));
    pBrowseButton->setAutoDefault(false);
    connect(pBrowseButton, &QPushButton::clicked, this, &CTaskDialog::OnBrowse);

    auto* pProgramRow = new QHBoxLayout;
    pProgramRow->addWidget(m_pProgramEdit);
    pProgramRow->addWidget(pBrowseButton);

    auto* pProgramLabel = new QLabel(tr("&Program:"), this);
    pProgramLabel->setBuddy(m_pProgramEdit);
    auto* pForm = new QFormLayout;
    pForm->addRow(pProgramLabel, pProgramRow);
    pForm->addRow(tr("&Arguments:"), m_pArgumentsEdit);

    auto* pNote = new QLabel(tr("The program is started on its own; the message is not passed to it."), this);
    pNote->setWordWrap(true);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pButtons->setObjectName(QStringLiteral("buttonBox"));
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(pNote);
    pLayout->addWidget(pButtons);
    setFixedHeight(sizeHint().height());
}

void CTaskDialog::SaveTo(CTask& task) const
{
    task.SetProgram(QFile::encodeName(m_pProgramEdit->text().trimmed()));
    task.SetArguments(m_pArgumentsEdit->text().toLocal8Bit());
}

void CTaskDialog::OnBrowse()
{
    const QString strCurrent = m_pProgramEdit->text().trimmed();
    const QString strFolder = strCurrent.isEmpty() ? QStringLiteral("/usr/bin") : QFileInfo(strCurrent).path();
    const QString strProgram = QFileDialog::getOpenFileName(this, tr("Choose Program"), strFolder);
    if (!strProgram.isEmpty())
        m_pProgramEdit->setText(strProgram);
}

int CTaskDialog::Edit(CTask& task)
{
    CTaskDialog dialog(task, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    dialog.SaveTo(task);
    return 1;
}

void CTaskDialog::Install()
{
    CTask::SetPropertiesDialog(&CTaskDialog::Edit);
}
