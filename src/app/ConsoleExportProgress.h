#pragma once

#include "export/ExportProgress.h"

// The export progress on standard error: the export folder, each brand, each new file and,
// at the end, the number of rows, in the progress tab's words. The resting texts are not shown.
class ConsoleExportProgress : public ExportProgress
{
public:
    void setPathText(const QString& text) override;
    void setFileText(const QString& text) override;
    void setRowText(const QString& text) override;
    void setBrandText(const QString& text) override;
    void showProgressTab() override {}
    void processEvents() override {}

    void showRowCount() const;

private:
    void showChange(QString& shown, const QString& text, const QString& resting, const QString& label);

    QString m_path;
    QString m_file;
    QString m_brand;
    QString m_rows = QStringLiteral("0");
};
