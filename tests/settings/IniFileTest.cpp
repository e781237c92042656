#include "settings/IniFile.h"
#include "TestFolder.h"
#include "platform/AppError.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void readsLikeTheProfileStringFunctions_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray file =
            "[PageExport]\r\nMaxRowInCSV =  500  \r\nFolder=\"  /tmp/x  \"\r\nSingle='a b'\r\n"
            "Half=\"open\r\nEmpty=\r\n[SetConnectionFor{ Shop }]\r\nServer=db.example\r\n";
        QTest::newRow("names without regard to case") << file << "pageexport"
                                                      << "maxrowincsv"
                                                      << "500";
        QTest::newRow("blanks trimmed") << file << "PageExport"
                                        << "MaxRowInCSV"
                                        << "500";
        QTest::newRow("double quotes dropped") << file << "PageExport"
                                               << "Folder"
                                               << "  /tmp/x  ";
        QTest::newRow("single quotes dropped") << file << "PageExport"
                                               << "Single"
                                               << "a b";
        QTest::newRow("unpaired quote kept") << file << "PageExport"
                                             << "Half"
                                             << "\"open";
        QTest::newRow("empty value") << file << "PageExport"
                                     << "Empty"
                                     << "";
        QTest::newRow("missing key gives default") << file << "PageExport"
                                                   << "Nope"
                                                   << "default";
        QTest::newRow("missing section gives default") << file << "Nope"
                                                       << "Server"
                                                       << "default";
        QTest::newRow("section with blanks in braces") << file << "SetConnectionFor{ Shop }"
                                                       << "Server"
                                                       << "db.example";
        QTest::newRow("blanks inside braces matter") << file << "SetConnectionFor{Shop}"
                                                     << "Server"
                                                     << "default";
    }

    void readsLikeTheProfileStringFunctions()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestFolder folder;
        folder.write(QStringLiteral("s.ini"), file);
        QCOMPARE(IniFile(folder.filePath(QStringLiteral("s.ini")))
                     .readString(section, key, QStringLiteral("default")),
                 expected);
    }

    void readsIntegersAndTruthValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "12" << 12;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("hexadecimal") << "0x1" << 1;
        QTest::newRow("hexadecimal upper") << "0X1f" << 31;
        QTest::newRow("0x alone is no number") << "0x" << 77;
        QTest::newRow("letters") << "abc" << 77;
        QTest::newRow("digits then letters") << "12ab" << 77;
        QTest::newRow("empty") << "" << 77;
    }

    void readsIntegersAndTruthValues()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        TestFolder folder;
        IniFile file(folder.filePath(QStringLiteral("s.ini")));
        file.writeString(QStringLiteral("S"), QStringLiteral("K"), text);
        QCOMPARE(file.readInteger(QStringLiteral("S"), QStringLiteral("K"), 77), expected);
        QCOMPARE(file.readBool(QStringLiteral("S"), QStringLiteral("K"), false),
                 expected != 0 && expected != 77);
    }

    void writesStraightToDiskKeepingOtherLines()
    {
        TestFolder folder;
        folder.write(QStringLiteral("s.ini"), "; a note\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
        IniFile file(folder.filePath(QStringLiteral("s.ini")));
        file.writeString(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("one"));
        file.writeString(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));
        file.writeInteger(QStringLiteral("C"), QStringLiteral("n"), 5);
        QCOMPARE(folder.read(QStringLiteral("s.ini")),
                 QByteArray("; a note\r\n[A]\r\nx=one\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nn=5\r\n"));
        file.eraseSection(QStringLiteral("a"));
        QCOMPARE(folder.read(QStringLiteral("s.ini")),
                 QByteArray("; a note\r\n[B]\r\ny=2\r\n[C]\r\nn=5\r\n"));
    }

    void valuesReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks at the ends") << " Shop ";
        QTest::newRow("enclosing quotes") << "\"quoted\"";
        QTest::newRow("single quotes") << "'x'";
        QTest::newRow("inner quote") << "a\"b";
        QTest::newRow("plain") << "plain";
    }

    void valuesReadBackAsWritten()
    {
        QFETCH(QString, value);
        TestFolder folder;
        IniFile file(folder.filePath(QStringLiteral("s.ini")));
        file.writeString(QStringLiteral("S"), QStringLiteral("K"), value);
        QCOMPARE(file.readString(QStringLiteral("S"), QStringLiteral("K")), value);
    }

    void longValuesAreReadWhole()
    {
        TestFolder folder;
        IniFile file(folder.filePath(QStringLiteral("s.ini")));
        QString list;
        for (int i = 0; i < 400; ++i)
            list += QStringLiteral("[Profile %1]").arg(i);
        QVERIFY(list.size() > 2047);
        file.writeString(QStringLiteral("SetConnection"), QStringLiteral("NameOfConnection"), list);
        QCOMPARE(file.readString(QStringLiteral("SetConnection"), QStringLiteral("NameOfConnection")), list);
    }

    void keepsTheFileEncoding_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QByteArray>("bom");
        QTest::newRow("UTF-16LE") << QByteArray("UTF-16LE") << QByteArray("\xFF\xFE");
        QTest::newRow("UTF-16BE") << QByteArray("UTF-16BE") << QByteArray("\xFE\xFF");
        QTest::newRow("UTF-8 with BOM") << QByteArray("UTF-8") << QByteArray("\xEF\xBB\xBF");
    }

    void keepsTheFileEncoding()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QByteArray, bom);
        TestFolder folder;
        QStringEncoder encoder(encoding.constData());
        folder.write(QStringLiteral("s.ini"),
                     bom + QByteArray(encoder.encode(QStringLiteral("[Профиль]\r\nИмя=Škoda\r\n"))));
        IniFile file(folder.filePath(QStringLiteral("s.ini")));
        QCOMPARE(file.readString(QStringLiteral("профиль"), QStringLiteral("имя")), QStringLiteral("Škoda"));
        file.writeString(QStringLiteral("Профиль"), QStringLiteral("Ключ"), QStringLiteral("€"));
        const QByteArray bytes = folder.read(QStringLiteral("s.ini"));
        QVERIFY(bytes.startsWith(bom));
        QCOMPARE(QStringDecoder(encoding.constData()).decode(bytes.mid(bom.size())),
                 QStringLiteral("[Профиль]\r\nИмя=Škoda\r\nКлюч=€\r\n"));
    }

    void newFileIsUtf8WithoutBom()
    {
        TestFolder folder;
        IniFile file(folder.filePath(QStringLiteral("s.ini")));
        file.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("Ž"));
        QCOMPARE(folder.read(QStringLiteral("s.ini")), QByteArray("[S]\r\nK=\xC5\xBD\r\n"));
    }

    // The detector takes such a short Czech file for ISO-8859-2; the locale's code page reads it
    // the same way every time, and a write keeps it.
    void legacyFileKeepsItsCodePage()
    {
        TestFolder folder;
        QStringEncoder encoder("windows-1250");
        folder.write(QStringLiteral("s.ini"),
                     encoder.encode(QStringLiteral("[Profil]\r\nJméno=Šťastný\r\n")));
        IniFile file(folder.filePath(QStringLiteral("s.ini")), "windows-1250");
        QCOMPARE(file.readString(QStringLiteral("Profil"), QStringLiteral("Jméno")),
                 QStringLiteral("Šťastný"));
        file.writeString(QStringLiteral("Profil"), QStringLiteral("Popis"), QStringLiteral("žluťoučký kůň"));
        QCOMPARE(folder.read(QStringLiteral("s.ini")),
                 QByteArray(
                     encoder.encode(QStringLiteral("[Profil]\r\nJméno=Šťastný\r\nPopis=žluťoučký kůň\r\n"))));
    }

    void valueTheCodePageCannotHoldTurnsTheFileIntoUtf8WithBom()
    {
        TestFolder folder;
        folder.write(QStringLiteral("s.ini"),
                     QStringEncoder("windows-1250").encode(QStringLiteral("[Profil]\r\nJméno=Šťastný\r\n")));
        const QString path = folder.filePath(QStringLiteral("s.ini"));
        IniFile(path, "windows-1250")
            .writeString(QStringLiteral("Profil"), QStringLiteral("Popis"), QStringLiteral("Жук"));
        QCOMPARE(folder.read(QStringLiteral("s.ini")),
                 "\xEF\xBB\xBF" + QStringLiteral("[Profil]\r\nJméno=Šťastný\r\nPopis=Жук\r\n").toUtf8());
        // With its byte-order mark the file no longer depends on the locale's code page.
        for (const QByteArray codePage : {"windows-1250", "windows-1252"}) {
            const IniFile reread(path, codePage);
            QCOMPARE(reread.readString(QStringLiteral("Profil"), QStringLiteral("Jméno")),
                     QStringLiteral("Šťastný"));
            QCOMPARE(reread.readString(QStringLiteral("Profil"), QStringLiteral("Popis")),
                     QStringLiteral("Жук"));
        }
    }

    // "ЕЎ" in windows-1251 is the UTF-8 of "š": once the write replaces the one byte that was no
    // UTF-8, the file would read back as UTF-8 and the profile's name would change.
    void legacyFileThatWouldReadBackAsUtf8TurnsIntoUtf8WithBom()
    {
        TestFolder folder;
        QStringEncoder encoder("windows-1251");
        folder.write(QStringLiteral("s.ini"), encoder.encode(QStringLiteral("[ЕЎ]\r\nK=Ж\r\n")));
        const QString path = folder.filePath(QStringLiteral("s.ini"));
        IniFile(path, "windows-1251")
            .writeString(QStringLiteral("ЕЎ"), QStringLiteral("K"), QStringLiteral("x"));
        QCOMPARE(folder.read(QStringLiteral("s.ini")),
                 "\xEF\xBB\xBF" + QStringLiteral("[ЕЎ]\r\nK=x\r\n").toUtf8());
        QCOMPARE(IniFile(path, "windows-1251").readString(QStringLiteral("ЕЎ"), QStringLiteral("K")),
                 QStringLiteral("x"));
    }

    // It may hold a password: readable by its owner alone, a file made by an older version too.
    void isTheOwnersAloneOnceWritten()
    {
        TestFolder folder;
        IniFile created(folder.filePath(QStringLiteral("new.ini")));
        created.writeString(QStringLiteral("Shop"), QStringLiteral("Password"), QStringLiteral("secret"));
        QCOMPARE(fileMode(created.path()), 0600);

        folder.write(QStringLiteral("older.ini"), "[Shop]\r\nServer=db\r\n");
        QFile::setPermissions(folder.filePath(QStringLiteral("older.ini")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        IniFile older(folder.filePath(QStringLiteral("older.ini")));
        older.writeString(QStringLiteral("Shop"), QStringLiteral("Password"), QStringLiteral("secret"));
        QCOMPARE(fileMode(older.path()), 0600);
        QCOMPARE(folder.read(QStringLiteral("older.ini")),
                 QByteArray("[Shop]\r\nServer=db\r\nPassword=secret\r\n"));
    }

    void refusedWriteNamesTheFile()
    {
        TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("missing/s.ini"));
        try {
            IniFile(path).writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
            QFAIL("no error");
        } catch (const AppError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
        }
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "IniFileTest.moc"
