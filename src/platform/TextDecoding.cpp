#include "TextDecoding.h"

#include "TextPlausibility.h"

#include <QIODevice>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <uchardet.h>

namespace {

int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

constexpr qsizetype pieceSize = 64 * 1024;

// The legacy code page uchardet takes the bytes for; empty when it has no usable answer.
QByteArray detectorCharset(const FileReading& file)
{
    QByteArray name;
    if (uchardet_t detector = uchardet_new()) {
        bool fed = true;
        file([&](QByteArrayView piece) {
            fed = uchardet_handle_data(detector, piece.data(), size_t(piece.size())) == 0;
            return fed;
        });
        if (fed) {
            uchardet_data_end(detector);
            name = uchardet_get_charset(detector);
        }
        uchardet_delete(detector);
    }
    const QByteArray lower = name.toLower();
    if (lower.isEmpty() || lower == "ascii" || lower == "utf-8" || lower.startsWith("utf-16") ||
        lower.startsWith("utf-32") || !QStringDecoder(name.constData()).isValid())
        return {};
    return name;
}

QByteArray detectLegacy(QByteArrayView sample)
{
    const QByteArray name = detectorCharset(readingOf(sample));
    return name.isEmpty() ? localeLegacyCodePage() : name;
}

// The file read in the code page used and in the detector's guess, piece by piece so that a
// large file is not held as text: whether the two differ, and how plausible each reads.
struct TwoReadings
{
    bool different = false;
    TextPlausibility used;
    TextPlausibility guess;
};

TwoReadings readBothWays(const FileReading& file, const QByteArray& used, const QByteArray& guess)
{
    TwoReadings readings;
    QStringDecoder usedDecoder(used.constData());
    QStringDecoder guessDecoder(guess.isEmpty() ? used.constData() : guess.constData());
    QString usedText;
    QString guessText;
    file([&](QByteArrayView piece) {
        usedText += usedDecoder.decode(piece);
        guessText += guessDecoder.decode(piece);
        const qsizetype common = qMin(usedText.size(), guessText.size());
        readings.different =
            readings.different || QStringView(usedText).first(common) != QStringView(guessText).first(common);
        readings.used.feed(QStringView(usedText).first(common));
        readings.guess.feed(QStringView(guessText).first(common));
        usedText.remove(0, common);
        guessText.remove(0, common);
        return true;
    });
    readings.different = readings.different || usedText != guessText;
    readings.used.feed(usedText);
    readings.guess.feed(guessText);
    readings.used.finish();
    readings.guess.finish();
    return readings;
}

void judgeLegacyReading(FileEncoding& chosen, const FileReading& file, const QByteArray& used)
{
    QByteArray guess = detectorCharset(file);
    if (guess.compare(used, Qt::CaseInsensitive) == 0)
        guess.clear();
    const TwoReadings readings = readBothWays(file, used, guess);
    chosen.hasControlCharacters = readings.used.hasControlCharacters();
    if (guess.isEmpty() || !readings.different)
        return;
    chosen.detectorGuess = guess;
    chosen.guessReadsBetter = readings.guess.oddWords() < readings.used.oddWords();
}

} // namespace

const QList<QByteArray>& legacyCodePages()
{
    static const QList<QByteArray> pages = {"windows-1250", "windows-1251", "windows-1252", "windows-1253",
                                            "windows-1254", "windows-1255", "windows-1256", "windows-1257",
                                            "windows-1258", "ISO-8859-2",   "KOI8-R"};
    return pages;
}

std::optional<TextEncoding> byteOrderMarkEncoding(QByteArrayView start)
{
    if (start.startsWith("\xEF\xBB\xBF"))
        return TextEncoding{"UTF-8", 3};
    if (start.startsWith("\xFF\xFE"))
        return TextEncoding{"UTF-16LE", 2};
    if (start.startsWith("\xFE\xFF"))
        return TextEncoding{"UTF-16BE", 2};
    return std::nullopt;
}

FileReading readingOf(QByteArrayView wholeFile)
{
    return [wholeFile](const PieceReader& reader) {
        for (qsizetype at = 0; at < wholeFile.size(); at += pieceSize)
            if (!reader(wholeFile.sliced(at, qMin(pieceSize, wholeFile.size() - at))))
                return;
    };
}

FileReading readingOf(QIODevice& device, std::function<void()> onFailure)
{
    return [&device, onFailure = std::move(onFailure)](const PieceReader& reader) {
        if (!device.seek(0))
            onFailure();
        // A small file takes a small piece.
        QByteArray piece(qsizetype(qBound<qint64>(1, device.size(), pieceSize)), Qt::Uninitialized);
        while (true) {
            const qint64 n = device.read(piece.data(), piece.size());
            if (n < 0)
                onFailure();
            if (n <= 0 || !reader(QByteArrayView(piece).first(n)))
                return;
        }
    };
}

FileEncoding chooseFileEncoding(const FileReading& file, const QByteArray& legacyCodePage)
{
    FileEncoding chosen{wholeFileEncoding(file, legacyCodePage), {}};
    if (chosen.isLegacy())
        judgeLegacyReading(chosen, file, legacyCodePage);
    return chosen;
}

TextEncoding wholeFileEncoding(const FileReading& file, const QByteArray& legacyCodePage)
{
    // The mark lies in the first three bytes, which a piece may not hold alone.
    QByteArray start;
    Utf8Validator validator;
    file([&](QByteArrayView piece) {
        if (start.size() < 3)
            start += piece.first(qMin<qsizetype>(3 - start.size(), piece.size()));
        if (start.size() >= 3 && byteOrderMarkEncoding(start))
            return false;
        return validator.feed(piece);
    });
    if (const auto marked = byteOrderMarkEncoding(start))
        return *marked;
    return validator.isValid() ? utf8Encoding() : TextEncoding{legacyCodePage, 0};
}

TextEncoding wholeFileEncoding(QByteArrayView wholeFile, const QByteArray& legacyCodePage)
{
    return wholeFileEncoding(readingOf(wholeFile), legacyCodePage);
}

bool Utf8Validator::feed(QByteArrayView piece)
{
    if (!m_valid)
        return false;
    const QByteArray bytes = m_pending + piece.toByteArray();
    m_valid = isValidUtf8(bytes, false);
    // A valid piece can only end in one sequence still to be completed.
    m_pending.clear();
    for (qsizetype back = 1; m_valid && back <= qMin<qsizetype>(3, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            if (sequenceLength(byte) > back)
                m_pending = bytes.right(back);
            break;
        }
    }
    return m_valid;
}

bool isValidUtf8(QByteArrayView bytes, bool isComplete)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char lead = p[i];
        const int len = sequenceLength(lead);
        if (len == 0)
            return false;
        if (i + len > n) {
            if (isComplete)
                return false;
            for (qsizetype k = i + 1; k < n; ++k)
                if ((p[k] & 0xC0) != 0x80)
                    return false;
            return true;
        }
        for (int k = 1; k < len; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        if (len == 3) {
            if (lead == 0xE0 && p[i + 1] < 0xA0)
                return false; // overlong
            if (lead == 0xED && p[i + 1] >= 0xA0)
                return false; // surrogate
        } else if (len == 4) {
            if (lead == 0xF0 && p[i + 1] < 0x90)
                return false; // overlong
            if (lead == 0xF4 && p[i + 1] >= 0x90)
                return false; // beyond U+10FFFF
        }
        i += len;
    }
    return true;
}

QByteArray localeLegacyCodePage()
{
    switch (QLocale::system().language()) {
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Serbian:
    case QLocale::Macedonian:
    case QLocale::Kazakh:
        return "windows-1251";
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Polish:
    case QLocale::Hungarian:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Bosnian:
        return "windows-1250";
    case QLocale::Greek:
        return "windows-1253";
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return "windows-1254";
    case QLocale::Hebrew:
        return "windows-1255";
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return "windows-1256";
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return "windows-1257";
    case QLocale::Vietnamese:
        return "windows-1258";
    default:
        return "windows-1252";
    }
}

TextEncoding utf8Encoding()
{
    return {"UTF-8", 0};
}

TextEncoding detectTextEncoding(QByteArrayView sample, bool isComplete)
{
    if (const auto marked = byteOrderMarkEncoding(sample))
        return *marked;
    if (isValidUtf8(sample, isComplete))
        return utf8Encoding();
    return {detectLegacy(sample), 0};
}

QString decodeText(QByteArrayView bytes, const TextEncoding& encoding)
{
    QStringDecoder decoder(encoding.name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Latin1);
    return decoder.decode(bytes.sliced(qMin<qsizetype>(encoding.bomLength, bytes.size())));
}

QString decodeText(QByteArrayView bytes)
{
    return decodeText(bytes, detectTextEncoding(bytes));
}

QByteArray encodeText(const QString& text, const TextEncoding& encoding)
{
    QStringEncoder encoder(encoding.name.constData(), encoding.bomLength > 0
                                                          ? QStringConverter::Flag::WriteBom
                                                          : QStringConverter::Flag::Default);
    if (!encoder.isValid())
        encoder = QStringEncoder(QStringConverter::Utf8);
    return encoder.encode(text);
}
