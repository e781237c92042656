#pragma once

#include "Ui.h"

#include <QQueue>
#include <QStringList>

// Answers the seam from queued answers and records every call as "kind: text",
// so a test can assert the exact messages and their order.
class ScriptedUi : public Ui
{
public:
    QStringList calls; // e.g. "message: Connection name is empty !"
    // A confirmation with nothing queued was not expected: it fails the test and answers No.
    QQueue<bool> confirmAnswers;
    QList<DefaultAnswer> confirmDefaults; // the default button of every confirmation, in order
    QQueue<QString> passwordAnswers;
    QQueue<std::optional<QString>> folderAnswers;
    QQueue<std::optional<QString>> fileAnswers;
    // Answers of the error boxes of a run: true goes on without further boxes; none queued
    // keeps showing them.
    QQueue<bool> noFurtherBoxesAnswers;
    QStringList opened; // targets handed to the desktop

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    bool confirm(const QString& text, DefaultAnswer defaultAnswer) override;
    QString promptPassword(const QString& caption, const QString& prompt) override;
    std::optional<QString> chooseFolder(const QString& title) override;
    std::optional<QString> chooseOpenFile(const QString& filter, const QString& startFolder) override;
    void errorBox(const QString& text) override;
    // Recorded as an "error" too.
    bool errorBoxOfRun(const QString& text) override;
    void openWithDesktop(const QString& target) override;

    // Calls of one kind ("message", "confirm", "error", ...), texts only.
    QStringList texts(const QString& kind) const;
};
