#include "ExportProgress.h"

void ExportProgress::showRestingTexts()
{
    setPathText(QStringLiteral("......."));
    setFileText(QStringLiteral("0"));
    setRowText(QStringLiteral("0"));
    setBrandText(QStringLiteral("processing  brand ..."));
}
