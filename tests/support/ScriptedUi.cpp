#include "ScriptedUi.h"

#include <QTest>

void ScriptedUi::message(const QString& text)
{
    calls << QStringLiteral("message: ") + text;
}

bool ScriptedUi::confirm(const QString& text)
{
    return confirm(text, DefaultAnswer::No);
}

bool ScriptedUi::confirm(const QString& text, DefaultAnswer defaultAnswer)
{
    confirmDefaults << defaultAnswer;
    calls << QStringLiteral("confirm: ") + text;
    if (confirmAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return false;
    }
    return confirmAnswers.dequeue();
}

QString ScriptedUi::promptPassword(const QString& caption, const QString& prompt)
{
    calls << QStringLiteral("password: ") + caption + u'|' + prompt;
    return passwordAnswers.isEmpty() ? QString() : passwordAnswers.dequeue();
}

std::optional<QString> ScriptedUi::chooseFolder(const QString& title)
{
    calls << QStringLiteral("folder: ") + title;
    return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.dequeue();
}

std::optional<QString> ScriptedUi::chooseOpenFile(const QString& filter, const QString& startFolder)
{
    calls << QStringLiteral("file: ") + filter + u'|' + startFolder;
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.dequeue();
}

void ScriptedUi::errorBox(const QString& text)
{
    calls << QStringLiteral("error: ") + text;
}

bool ScriptedUi::errorBoxOfRun(const QString& text)
{
    errorBox(text);
    return !noFurtherBoxesAnswers.isEmpty() && noFurtherBoxesAnswers.dequeue();
}

void ScriptedUi::openWithDesktop(const QString& target)
{
    calls << QStringLiteral("open: ") + target;
    opened << target;
}

QStringList ScriptedUi::texts(const QString& kind) const
{
    QStringList result;
    const QString prefix = kind + QStringLiteral(": ");
    for (const QString& call : calls)
        if (call.startsWith(prefix))
            result << call.mid(prefix.size());
    return result;
}
