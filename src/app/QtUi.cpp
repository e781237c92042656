#include "QtUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {
// "*.sql|*.sql" (description|pattern pairs) in Qt's "description (pattern)" form.
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        result << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return result.join(QStringLiteral(";;"));
}
} // namespace

void QtUi::message(const QString& text)
{
    QMessageBox::information(m_owner, m_title, text, QMessageBox::Ok);
}

bool QtUi::confirm(const QString& text)
{
    return confirm(text, DefaultAnswer::No);
}

bool QtUi::confirm(const QString& text, DefaultAnswer defaultAnswer)
{
    const auto defaultButton = defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::question(m_owner, m_title, text, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
           QMessageBox::Yes;
}

QString QtUi::promptPassword(const QString& caption, const QString& prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_owner, caption, prompt, QLineEdit::Password, QString(), &ok);
    return ok ? text : QString();
}

std::optional<QString> QtUi::chooseFolder(const QString& title)
{
    const QString folder = QFileDialog::getExistingDirectory(m_owner, title);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> QtUi::chooseOpenFile(const QString& filter, const QString& startFolder)
{
    const QString file = QFileDialog::getOpenFileName(m_owner, QString(), startFolder, qtFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

void QtUi::errorBox(const QString& text)
{
    QMessageBox::critical(m_owner, m_title, text, QMessageBox::Ok);
}

bool QtUi::errorBoxOfRun(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, m_title, text, QMessageBox::Ok, m_owner);
    const QAbstractButton* quiet = box.addButton(noFurtherBoxesCaption(), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == quiet;
}

void QtUi::openWithDesktop(const QString& target)
{
    // Web addresses go to the desktop's browser; anything else is a file or folder.
    const QUrl address(target);
    const bool web = address.scheme() == u"http" || address.scheme() == u"https";
    QDesktopServices::openUrl(web ? address : QUrl::fromLocalFile(target));
}
