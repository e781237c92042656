#include "QtUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

// Stands in for the desktop's handlers of the schemes it is registered for.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestQtUi : public QObject
{
    Q_OBJECT
private slots:
    void passwordPromptIsMaskedAndReturnsWhatWasTyped()
    {
        QtUi ui;
        QString echo;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            auto* field = dialog->findChild<QLineEdit*>();
            echo =
                field->echoMode() == QLineEdit::Password ? QStringLiteral("masked") : QStringLiteral("plain");
            QTest::keyClicks(field, QStringLiteral("s3cr et"));
            dialog->accept();
        });
        QCOMPARE(ui.promptPassword(QStringLiteral("Setting database"),
                                   QStringLiteral("Enter password for database")),
                 QStringLiteral("s3cr et"));
        QCOMPARE(echo, QStringLiteral("masked"));
        QCOMPARE(caption, QStringLiteral("Setting database"));
    }

    void cancelledPromptGivesEmptyText()
    {
        QtUi ui;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("typed"));
            dialog->reject();
        });
        QCOMPARE(ui.promptPassword(QStringLiteral("Setting database"),
                                   QStringLiteral("Enter password for database")),
                 QString());
    }

    void errorBoxHasTheApplicationTitleAndAnErrorIcon()
    {
        QtUi ui(QStringLiteral("Title of the program"));
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
            box->button(QMessageBox::Ok)->click();
        });
        ui.errorBox(QStringLiteral("File access denied."));
        QCOMPARE(
            seen,
            QStringLiteral("Title of the program|File access denied.|%1").arg(int(QMessageBox::Critical)));
    }

    void confirmationAnswersYesOnlyForYes()
    {
        QtUi ui;
        for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
            QTimer::singleShot(0, [button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                box->button(button)->click();
            });
            QCOMPARE(ui.confirm(QStringLiteral("Add new connection in list ?")), button == QMessageBox::Yes);
        }
    }

    // OK keeps the boxes of the run coming; the extra button ends them.
    void errorBoxOfARunOffersToGoOnWithoutFurtherBoxes()
    {
        QtUi ui(QStringLiteral("Title of the program"));
        for (const bool quiet : {false, true}) {
            QString seen;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                seen = box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon());
                for (QAbstractButton* button : box->buttons())
                    if (quiet ? button->text() == QtUi::noFurtherBoxesCaption()
                              : box->button(QMessageBox::Ok) == button)
                        button->click();
            });
            QCOMPARE(ui.errorBoxOfRun(QStringLiteral("Unknown column.")), quiet);
            QCOMPARE(
                seen,
                QStringLiteral("Title of the program|Unknown column.|%1").arg(int(QMessageBox::Critical)));
        }
    }

    void webAddressesGoToTheBrowserAndPathsAreOpenedAsFiles()
    {
        OpenedUrls opened;
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
        QtUi ui;
        ui.openWithDesktop(QStringLiteral("https://www.joomla.org/"));
        ui.openWithDesktop(QStringLiteral("http://virtuemart.net/"));
        ui.openWithDesktop(QStringLiteral("/tmp/export folder/"));
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        QCOMPARE(opened.urls, QList<QUrl>({QUrl(QStringLiteral("https://www.joomla.org/")),
                                           QUrl(QStringLiteral("http://virtuemart.net/")),
                                           QUrl::fromLocalFile(QStringLiteral("/tmp/export folder/"))}));
    }
};

QTEST_MAIN(TestQtUi)
#include "QtUiTest.moc"
