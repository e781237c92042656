#pragma once

#include "export/ExportProgress.h"

class TForm1;

// The EXPORT page's tab "  Export ...  " with the labels the runs fill, and the go-on flag
// that "  Stop export" clears.
class ExportProgressTab : public ExportProgress
{
public:
    explicit ExportProgressTab(TForm1& form) : m_form(form) {}

    void setPathText(const QString& text) override;
    void setFileText(const QString& text) override;
    void setRowText(const QString& text) override;
    void setBrandText(const QString& text) override;
    void showProgressTab() override;
    void processEvents() override;
    bool goOn() const override;

private:
    TForm1& m_form;
};
