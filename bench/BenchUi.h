#pragma once

#include "platform/Ui.h"

// Answers the dialog seam without a person: confirmations are Yes, nothing is chosen, and
// every message or error is printed, so that a run that went wrong does not pass for a figure.
class BenchUi : public Ui
{
public:
    BenchUi() { Ui::install(this); }
    ~BenchUi() override { Ui::install(nullptr); }

    int complaints = 0;

    void message(const QString& text) override;
    bool confirm(const QString&) override { return true; }
    QString promptPassword(const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const QString&, const QString&) override { return std::nullopt; }
    void errorBox(const QString& text) override;
    void openWithDesktop(const QString&) override {}
};
