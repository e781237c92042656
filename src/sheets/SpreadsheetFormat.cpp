#include "SpreadsheetFormat.h"

#include "OfficePackage.h"
#include "SpreadsheetError.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qint64 sampleSize = 4096;

SpreadsheetFormat packageFormat(const QString& path)
{
    ZipArchive zip;
    if (!zip.open(path))
        return SpreadsheetFormat::NotSpreadsheet;
    if (zip.contains(QStringLiteral("mimetype"))) {
        const auto mimetype = zip.entry(QStringLiteral("mimetype"));
        const bool isSpreadsheet =
            mimetype->open(QIODevice::ReadOnly) &&
            mimetype->read(256).startsWith("application/vnd.oasis.opendocument.spreadsheet");
        return isSpreadsheet ? SpreadsheetFormat::Ods : SpreadsheetFormat::NotSpreadsheet;
    }
    const QString mainPart = OfficePackage::mainPart(zip);
    if (mainPart.isEmpty())
        return SpreadsheetFormat::NotSpreadsheet;
    // A binary workbook (xlsb) keeps the package but not the XML.
    return mainPart.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) ? SpreadsheetFormat::Convertible
                                                                          : SpreadsheetFormat::Xlsx;
}

// The first record of a bare BIFF2 to BIFF5 workbook stream is a BOF record of fixed length.
bool isBiffStream(const QByteArray& head)
{
    if (head.size() < 4)
        return false;
    const quint16 record = qFromLittleEndian<quint16>(head.constData());
    const quint16 length = qFromLittleEndian<quint16>(head.constData() + 2);
    return (record == 0x0009 && length == 4) || ((record == 0x0209 || record == 0x0409) && length == 6) ||
           (record == 0x0809 && (length == 8 || length == 16));
}

bool isXmlSpreadsheet(const QByteArray& head)
{
    const qsizetype start = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (head.mid(start, 5) != "<?xml")
        return false;
    return head.contains("urn:oasis:names:tc:opendocument:xmlns:office:1.0") ||
           head.contains("urn:schemas-microsoft-com:office:spreadsheet");
}

} // namespace

SpreadsheetFormat detectSpreadsheetFormat(const QString& path)
{
    QFile file(path);
    QString error;
    if (!openRegularFile(file, error))
        throw SpreadsheetError(SpreadsheetError::Kind::CannotOpen, QStringLiteral("%1: %2").arg(path, error));
    const QByteArray head = file.read(sampleSize);
    file.close();

    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06"))
        return packageFormat(path);
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")           // OLE2 compound file (xls and kin)
        || head.startsWith(QByteArray("\x00\x00\x02\x00\x06\x04", 6)) // Lotus 1-2-3 WK1
        || head.startsWith(QByteArray("\x00\x00\x1A\x00", 4))         // Lotus 1-2-3 WK3, WK4
        || isBiffStream(head) || isXmlSpreadsheet(head))
        return SpreadsheetFormat::Convertible;
    const bool isUtf16 = head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
    if (!isUtf16 && head.contains('\0'))
        return SpreadsheetFormat::NotSpreadsheet;
    return SpreadsheetFormat::DelimitedText;
}
