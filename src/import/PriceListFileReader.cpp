#include "PriceListFileReader.h"

#include "CreationProgress.h"
#include "PriceListColumns.h"
#include "UnreadablePriceList.h"
#include "UpdateScript.h"
#include "platform/ScopeExit.h"
#include "platform/WholeNumber.h"
#include "sheets/SpreadsheetReader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <functional>
#include <limits>
#include <new>

namespace {

const QString indent = QStringLiteral("         ");
const QString rowStatusStart = QStringLiteral("Uploading data  in memory : row [");

QString failureLine(const QString& message, const SpreadsheetError& error)
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(now.time(), QLocale::LongFormat) + QStringLiteral(" : ") + message + u'\r' +
           QStringLiteral("SpreadsheetError : ") + error.message();
}

// Formats other than CSV, xlsx and ods are read through LibreOffice's conversion.
QString converterMissingText(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    const QString format = suffix.isEmpty() ? QString() : QStringLiteral(" (.") + suffix + u')';
    return QStringLiteral("LibreOffice is needed to read this file's format") + format +
           QStringLiteral(", but it is not installed !");
}

// A row ends at its last value; the cells beyond are empty, and so is the cell of a column the
// list does not have (0).
const SpreadsheetCell& cellAt(const QList<SpreadsheetCell>& row, int column)
{
    static const SpreadsheetCell empty;
    return column >= 1 && column <= row.size() ? row[column - 1] : empty;
}

// What parseWholeNumber makes of a number cell's text, without making the text: a whole
// number within the range of int, else nothing.
std::optional<int> wholeNumber(double value)
{
    if (value == std::trunc(value) && value >= std::numeric_limits<int>::min() &&
        value <= std::numeric_limits<int>::max())
        return int(value);
    return std::nullopt;
}

// The product id of a row; a row without one ends the run, naming the cell.
int productId(const QList<SpreadsheetCell>& row, const QString& path, int r, int column,
              const QString& decimalPoint)
{
    const SpreadsheetCell& cell = cellAt(row, column);
    if (cell.type() == SpreadsheetCell::Type::Number)
        if (const auto n = wholeNumber(cell.numberValue()))
            return *n;
    const auto text = cellText(cell, decimalPoint);
    if (text)
        if (const auto n = parseDecimalWholeNumber(*text))
            return *n;
    throw AppError(QStringLiteral("File \"%1\", row %2, column %3: '%4' is not a valid integer value")
                       .arg(path, QString::number(r), PriceListColumns::letters(column),
                            text.value_or(cell.displayText())));
}

// The SET items of the present SEO columns; a cell holding an error value changes nothing.
template <std::size_t N>
UpdateScript::SetItems setItems(const QList<SpreadsheetCell>& row, const std::array<int, N>& columns,
                                const std::array<QString, N>& storeColumns, const QString& decimalPoint,
                                const std::function<void(int column)>& unreadable)
{
    UpdateScript::SetItems items;
    for (std::size_t i = 0; i < N; ++i)
        if (const int c = columns[i]) {
            if (const auto text = cellText(cellAt(row, c), decimalPoint))
                items.emplace_back(storeColumns[i], *text);
            else
                unreadable(c);
        }
    return items;
}

} // namespace

QString idsAboveLargestLine(qint64 count)
{
    return QStringLiteral("%1 ids above the store's largest id, skipped").arg(count);
}

std::optional<QString> cellText(const SpreadsheetCell& cell, const QString& decimalPoint)
{
    if (cell.type() == SpreadsheetCell::Type::Error)
        return std::nullopt;
    if (cell.type() != SpreadsheetCell::Type::Number)
        return cell.type() == SpreadsheetCell::Type::Text ? cell.textValue() : cell.displayText();
    // Numbers come with the locale's decimal mark, as the spreadsheet program gives them.
    QString text = cell.displayText();
    if (decimalPoint != u".")
        text.replace(u'.', decimalPoint);
    return text;
}

PriceListFileReader::PriceListFileReader(int maxProductId, UpdateScript& script, CreationProgress& progress,
                                         const Job& job, QByteArray legacyCodePage)
    : m_maxProductId(maxProductId), m_script(script), m_progress(progress), m_job(job),
      m_legacyCodePage(std::move(legacyCodePage))
{
}

void PriceListFileReader::unreadable(int column, int row)
{
    const SpreadsheetCell& name = m_header.value(column - 1);
    m_unreadable.add(column, name.type() == SpreadsheetCell::Type::Text ? name.textValue() : QString(), row);
}

void PriceListFileReader::logTextEncoding(const SpreadsheetReader& sheet, const QString& path)
{
    const auto encoding = sheet.textEncoding();
    if (!encoding || !encoding->isLegacy())
        return;
    if (encoding->isDoubtful())
        m_encodingDoubts.push_back(
            {path, encoding->encoding.name, encoding->detectorGuess, encoding->hasControlCharacters});
    QString line = indent + QStringLiteral("Code page of the file : %1 (not UTF-8)")
                                .arg(QString::fromLatin1(encoding->encoding.name));
    // The detector's guess never decides, but a user whose letters come out wrong learns of it.
    if (!encoding->detectorGuess.isEmpty())
        line += QStringLiteral("; the detector suggests %1: check the setting \"Code page of older files\"")
                    .arg(QString::fromLatin1(encoding->detectorGuess));
    m_progress.log(line);
}

void PriceListFileReader::setCountStatus(const QString& before, qint64 number, const QString& after)
{
    m_progress.setCountStatus(before, number, after);
    m_progress.processEvents();
}

bool PriceListFileReader::withinStore(int productId)
{
    if (productId <= m_maxProductId)
        return true;
    ++m_idsAboveLargestInFile;
    return false;
}

void PriceListFileReader::read(const QString& path)
{
    try {
        readFile(path);
    } catch (const std::bad_alloc&) {
        // What a sheet holds is bounded, but not the memory left to this process.
        throw UnreadablePriceList(
            QStringLiteral("The price list could not be read: %1: the file is too large to read").arg(path));
    }
}

void PriceListFileReader::readFile(const QString& path)
{
    m_progress.setStatus(QStringLiteral("Upload file (") + path + QStringLiteral(") ..."));
    m_progress.log(QStringLiteral("[+] Open file (") + path + QStringLiteral(") ..."));
    m_progress.log(indent + QString(54, u'-'));
    if (!QFileInfo::exists(path)) {
        m_progress.log(QStringLiteral("[-] File not found (") + path + u')');
        return;
    }
    std::unique_ptr<SpreadsheetReader> sheet;
    try {
        // The office converter may take a while: the window stays alive and Stop ends it.
        sheet = openSpreadsheet(
            path,
            [this] {
                m_progress.processEvents();
                return goOn();
            },
            m_legacyCodePage);
    } catch (const SpreadsheetError& error) {
        switch (error.kind()) {
        case SpreadsheetError::Kind::Stopped:
            return; // the run sees its stop after this file
        case SpreadsheetError::Kind::ConverterMissing:
            m_progress.log(failureLine(converterMissingText(path), error));
            break;
        case SpreadsheetError::Kind::CannotOpen:
            m_progress.log(failureLine(QStringLiteral("2. MS EXCEL error !"), error));
            break;
        case SpreadsheetError::Kind::NoFirstSheet:
            // Without a sheet, finding its extent fails in turn.
            m_progress.log(failureLine(QStringLiteral("3. MS EXCEL error !"), error));
            m_progress.log(failureLine(QStringLiteral("4. MS EXCEL error !"), error));
            break;
        case SpreadsheetError::Kind::NoExtent:
            m_progress.log(failureLine(QStringLiteral("4. MS EXCEL error !"), error));
            break;
        }
        throw UnreadablePriceList(QStringLiteral("The price list could not be read: ") + error.message());
    }
    logTextEncoding(*sheet, path);
    const QLocale locale = QLocale::system();
    m_convertPrice = PriceConversion(locale);
    m_decimalPoint = locale.decimalPoint();
    const SheetExtent extent = sheet->extent();
    m_progress.log(indent +
                   QStringLiteral("Data table : row=%1 | column=%2").arg(extent.rows).arg(extent.columns));
    m_progress.log(indent + QStringLiteral("reading names of the columns ...ok"));
    m_progress.processEvents();
    m_table.reset(extent.rows);
    m_path = path;
    m_unreadable.clear();
    m_idsAboveLargestInFile = 0;
    // The file's counts are said however its reading ends, a failing row included.
    const ScopeExit counts([this] {
        for (const QString& line : m_unreadable.logLines())
            m_progress.log(line);
        if (m_idsAboveLargestInFile > 0)
            m_progress.log(indent + idsAboveLargestLine(m_idsAboveLargestInFile));
        for (const QString& line : m_unmatched.takeFileLines())
            m_progress.log(line);
        m_idsAboveLargest += m_idsAboveLargestInFile;
    });
    // The rows are read as they come rather than held: the first pass goes on below the
    // header, a second one reads the file again.
    std::unique_ptr<SheetRows> rows = sheet->rows();
    QList<SpreadsheetCell> firstRow;
    rows->next(firstRow);
    const auto dataRows = [&] {
        if (!rows) {
            rows = sheet->rows();
            rows->next(firstRow);
        }
        return std::exchange(rows, nullptr);
    };
    // A single column holds no recognisable pair of id and value.
    m_header = extent.columns > 1 ? firstRow : QList<SpreadsheetCell>{};
    const PriceListColumns columns = PriceListColumns::recognise(m_header);
    m_progress.log(indent + QStringLiteral("reading table in memory ...ok"));
    m_progress.processEvents();
    const bool byTradeNumber = m_tradeNumbers && columns.tradeNumberMode();
    if (byTradeNumber || columns.priceMode()) {
        if (byTradeNumber)
            m_progress.log(indent + QStringLiteral("rows matched by TRADENUMBER"));
        fillPriceTable(*dataRows(), columns, byTradeNumber);
        writePriceStatements();
    } else {
        if (columns.productSeo)
            productPass(*dataRows(), columns);
        if (columns.categorySeo && goOn())
            categoryPass(*dataRows(), columns);
    }
    sheet->close();
}

int PriceListFileReader::matchedProduct(const QList<SpreadsheetCell>& row, int r,
                                        const PriceListColumns& columns)
{
    // Trade numbers are codes: a number cell counts as written, with "." whatever the locale.
    const auto code = [&](int column) {
        const SpreadsheetCell& cell = cellAt(row, column);
        return cell.type() == SpreadsheetCell::Type::Error  ? QString()
               : cell.type() == SpreadsheetCell::Type::Text ? cell.textValue()
                                                            : cell.displayText();
    };
    const QString tradeNumber = code(columns.tradeNumber);
    if (TradeNumberIndex::key(tradeNumber).isEmpty())
        return 0; // a heading or spacer row of the list
    const TradeNumberIndex::Match match = m_tradeNumbers().find(tradeNumber, code(columns.brand));
    if (!match.found())
        m_unmatched.add(m_path, r, tradeNumber, match);
    return match.id;
}

void PriceListFileReader::fillPriceTable(SheetRows& rows, const PriceListColumns& columns, bool byTradeNumber)
{
    QList<SpreadsheetCell> row;
    for (int r = 2; rows.next(row); ++r) {
        setCountStatus(rowStatusStart, r, QStringLiteral("] ..."));
        const int id = byTradeNumber ? matchedProduct(row, r, columns)
                                     : productId(row, m_path, r, columns.idPart, m_decimalPoint);
        if (id == 0 && byTradeNumber)
            continue;
        if (!withinStore(id))
            continue;
        PriceEntry& e = m_table.takeEntry();
        // Nothing for a blank cell and for one that cannot be read, which is counted.
        const auto text = [&](int column) -> std::optional<QString> {
            const auto t = cellText(cellAt(row, column), m_decimalPoint);
            if (!t)
                unreadable(column, r);
            if (!t || t->trimmed().isEmpty())
                return std::nullopt;
            return t;
        };
        const auto readWhole = [&](int column, int& field) {
            const SpreadsheetCell& cell = cellAt(row, column);
            std::optional<int> n;
            if (cell.type() == SpreadsheetCell::Type::Number) {
                n = wholeNumber(cell.numberValue());
            } else {
                const auto t = text(column);
                if (!t)
                    return;
                n = parseDecimalWholeNumber(*t);
            }
            if (n) {
                field = *n;
                e.productId = id;
            } else {
                unreadable(column, r);
            }
        };
        if (columns.published)
            readWhole(columns.published, e.published);
        if (columns.quantity)
            readWhole(columns.quantity, e.quantity);
        if (columns.price) {
            const SpreadsheetCell& cell = cellAt(row, columns.price);
            std::optional<double> x;
            if (cell.type() == SpreadsheetCell::Type::Number)
                x = m_convertPrice.ofNumber(cell.numberValue());
            if (!x) {
                if (const auto t = text(columns.price)) {
                    x = m_convertPrice(*t);
                    if (!x)
                        unreadable(columns.price, r);
                }
            }
            if (x) {
                e.price = *x;
                e.productId = id;
            }
        }
        if (!goOn())
            break;
    }
}

void PriceListFileReader::writePriceStatements()
{
    m_progress.log(indent + QStringLiteral("Start editing prices and availability ... "));
    m_progress.processEvents();
    const std::vector<PriceEntry>& entries = m_table.entries();
    for (std::size_t k = 0; k < entries.size() && goOn(); ++k) {
        setCountStatus(QStringLiteral("Checking of ID articles (creating a script to upgrade) : ["),
                       qint64(k), QStringLiteral("]"));
        const PriceEntry& e = entries[k];
        if (e.productId == 0)
            continue;
        if (e.published != -1)
            m_script.writePublication(e.productId, e.published);
        if (e.price >= 0)
            m_script.writePrice(e.productId, e.price);
        if (e.quantity >= 0)
            m_script.writeStock(e.productId, e.quantity);
    }
}

void PriceListFileReader::productPass(SheetRows& rows, const PriceListColumns& columns)
{
    QList<SpreadsheetCell> row;
    for (int r = 2; rows.next(row); ++r) {
        setCountStatus(rowStatusStart, r, QStringLiteral("] and editing script for update"));
        const int id = productId(row, m_path, r, columns.idPart, m_decimalPoint);
        if (!withinStore(id))
            continue;
        const UpdateScript::SetItems items =
            setItems(row, columns.product, PriceListColumns::productStoreColumns(), m_decimalPoint,
                     [&](int column) { unreadable(column, r); });
        if (!items.empty())
            m_script.writeProductSeo(id, items);
        if (!goOn())
            break;
    }
}

void PriceListFileReader::categoryPass(SheetRows& rows, const PriceListColumns& columns)
{
    QList<SpreadsheetCell> row;
    for (int r = 2; rows.next(row); ++r) {
        setCountStatus(rowStatusStart, r, QStringLiteral("] and editing script for update"));
        const auto idText = cellText(cellAt(row, columns.idCategory), m_decimalPoint);
        const auto id = idText ? parseDecimalWholeNumber(*idText) : std::nullopt;
        if (!id && !(idText && idText->trimmed().isEmpty()))
            unreadable(columns.idCategory, r);
        if (!id || *id <= 0)
            continue;
        const UpdateScript::SetItems items =
            setItems(row, columns.category, PriceListColumns::categoryStoreColumns(), m_decimalPoint,
                     [&](int column) { unreadable(column, r); });
        if (!items.empty())
            m_script.writeCategorySeo(*id, items);
        if (!goOn())
            break;
    }
}
