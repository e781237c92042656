#pragma once

class QProcess;

#include "SpreadsheetReader.h"
#include "XlsxReader.h"

#include <QTemporaryDir>
#include <memory>

// Reads formats that only the office suite understands (xls, xlsb, Lotus, flat XML) by
// letting LibreOffice convert the file to xlsx in a temporary folder first. The conversion
// runs beside the caller, who keeps waiting or gives up; either way the converter is ended
// before open() returns. The converted copy is read from until close(), which removes it
// with its folder; a failed open() leaves nothing behind.
class ConvertingReader : public XlsxReader
{
public:
    explicit ConvertingReader(KeepWaiting keepWaiting = {}) : m_keepWaiting(std::move(keepWaiting)) {}

    void open(const QString& path) override;
    void close() override;

private:
    // Waits for the converter to finish; false when it took too long or the caller gave up.
    bool waitForConversion(QProcess& process, const QString& path) const;

    KeepWaiting m_keepWaiting;
    std::unique_ptr<QTemporaryDir> m_work;
};
