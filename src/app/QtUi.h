#pragma once

#include "Ui.h"

class QWidget;

// The seam answered by Qt's own dialogs and the desktop.
class QtUi : public Ui
{
public:
    // title: the caption of message and error boxes (the application's title).
    explicit QtUi(QString title = {}) : m_title(std::move(title)) {}

    void setOwner(QWidget* owner) { m_owner = owner; }

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    bool confirm(const QString& text, DefaultAnswer defaultAnswer) override;
    QString promptPassword(const QString& caption, const QString& prompt) override;
    std::optional<QString> chooseFolder(const QString& title) override;
    std::optional<QString> chooseOpenFile(const QString& filter, const QString& startFolder) override;
    void errorBox(const QString& text) override;
    bool errorBoxOfRun(const QString& text) override;

    // The button of errorBoxOfRun() that goes on without further boxes.
    static QString noFurtherBoxesCaption() { return QStringLiteral("Go on without further error boxes"); }
    void openWithDesktop(const QString& target) override;

private:
    QString m_title;
    QWidget* m_owner = nullptr;
};
