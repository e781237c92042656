#pragma once

#include <QString>

// The progress tab of the EXPORT page as the price export and the SEO runs see it.
class ExportProgress
{
public:
    virtual ~ExportProgress() = default;

    virtual void setPathText(const QString& text) = 0;  // beside "Path to export"
    virtual void setFileText(const QString& text) = 0;  // beside "Number export file"
    virtual void setRowText(const QString& text) = 0;   // beside "Number export row"
    virtual void setBrandText(const QString& text) = 0; // the current-brand line
    virtual void showProgressTab() = 0;
    // Lets the window process its pending events (repaints, a click on Stop).
    virtual void processEvents() = 0;

    // The texts between runs: a run shows them before its checks and again when it ends.
    void showRestingTexts();
};
