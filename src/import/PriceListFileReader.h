#pragma once

#include "EncodingDoubt.h"
#include "PriceTable.h"
#include "UnmatchedRows.h"
#include "UnreadableCells.h"
#include "platform/Job.h"
#include "sheets/SpreadsheetCell.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class CreationProgress;
class SheetRows;
class SpreadsheetReader;
class UpdateScript;
struct PriceListColumns;

// Reads one price-list file: price lists into the price table and their statements into the
// script, SEO lists row by row into SEO statements, until the job is asked to stop. Writes
// the file's log lines. Text files that are not UTF-8 are read with legacyCodePage.
class PriceListFileReader
{
public:
    PriceListFileReader(int maxProductId, UpdateScript& script, CreationProgress& progress, const Job& job,
                        QByteArray legacyCodePage);

    // Throws UnreadablePriceList when the file cannot be opened as a spreadsheet or is too
    // large for the memory left, and AppError
    // naming the file, row, column and text of an IDPART that is not a decimal whole number.
    // Cells whose value cannot be read change nothing and are counted in the file's log lines,
    // as are the rows whose product id lies above the store's largest.
    void read(const QString& path);

    // Lists with a TRADENUMBER column are matched to the store by it from now on, through the
    // index that tradeNumbers gives (read when a list first needs it).
    void matchByTradeNumber(std::function<const TradeNumberIndex&()> tradeNumbers)
    {
        m_tradeNumbers = std::move(tradeNumbers);
    }
    const UnmatchedRows& unmatchedRows() const { return m_unmatched; }

    // Product rows skipped so far because their id lies above the store's largest.
    qint64 idsAboveLargest() const { return m_idsAboveLargest; }
    // The files read so far whose code page is in doubt.
    const std::vector<EncodingDoubt>& encodingDoubts() const { return m_encodingDoubts; }

private:
    void readFile(const QString& path);
    // Logs the code page of a legacy file and notes it when it is in doubt.
    void logTextEncoding(const SpreadsheetReader& sheet, const QString& path);
    void fillPriceTable(SheetRows& rows, const PriceListColumns& columns, bool byTradeNumber);
    // The product a row's trade number (and brand) stands for; 0, and counted, for none.
    int matchedProduct(const QList<SpreadsheetCell>& row, int r, const PriceListColumns& columns);
    void writePriceStatements();
    void productPass(SheetRows& rows, const PriceListColumns& columns);
    void categoryPass(SheetRows& rows, const PriceListColumns& columns);
    void setCountStatus(const QString& before, qint64 number, const QString& after);
    void unreadable(int column, int row);
    bool goOn() const { return !m_job.stopRequested(); }
    // False, and counted, for a product id above the store's largest.
    bool withinStore(int productId);

    int m_maxProductId;
    UpdateScript& m_script;
    CreationProgress& m_progress;
    const Job& m_job;
    QByteArray m_legacyCodePage;
    PriceTable m_table;
    // The system's number format, taken once per file rather than for every cell.
    PriceConversion m_convertPrice;
    QString m_decimalPoint;
    QString m_path;
    QList<SpreadsheetCell> m_header;
    UnreadableCells m_unreadable;
    qint64 m_idsAboveLargest = 0;
    qint64 m_idsAboveLargestInFile = 0;
    std::vector<EncodingDoubt> m_encodingDoubts;
    std::function<const TradeNumberIndex&()> m_tradeNumbers;
    UnmatchedRows m_unmatched;
};

// The text of a cell as the row loops read it, numbers with the locale's decimal mark;
// nothing for an error value, which cannot be read.
std::optional<QString> cellText(const SpreadsheetCell& cell, const QString& decimalPoint);

// "3 ids above the store's largest id, skipped": rows whose statements would change nothing.
QString idsAboveLargestLine(qint64 count);
