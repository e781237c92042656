#pragma once

#include <QString>
#include <optional>

// The one seam for everything modal or desktop-bound, handed to the window when it is made:
// the program passes the Qt implementation, tests a scripted stand-in that answers and records.
class Ui
{
public:
    virtual ~Ui() = default;

    // Plain message box with an OK button.
    virtual void message(const QString& text) = 0;
    enum class DefaultAnswer
    {
        Yes,
        No
    };

    // Confirmation with Yes and No, No the default button; true on Yes.
    virtual bool confirm(const QString& text) = 0;
    // The same with the default button given.
    virtual bool confirm(const QString& text, DefaultAnswer defaultAnswer) = 0;
    // One-line input with a masked field; the empty text on Cancel.
    virtual QString promptPassword(const QString& caption, const QString& prompt) = 0;
    // Folder chooser; nothing on Cancel.
    virtual std::optional<QString> chooseFolder(const QString& title) = 0;
    // Open-file dialog; filter in the form "*.sql|*.sql"; nothing on Cancel.
    virtual std::optional<QString> chooseOpenFile(const QString& filter, const QString& startFolder) = 0;
    // The application's error box (the text is shown as given).
    virtual void errorBox(const QString& text) = 0;
    // The error box of one of possibly many failures of a run, which also offers to go on
    // without further boxes for the run; true when the operator chose that.
    virtual bool errorBoxOfRun(const QString& text) = 0;
    // Opens a folder, a document or a web address with the desktop; its result is not examined.
    virtual void openWithDesktop(const QString& target) = 0;
};
