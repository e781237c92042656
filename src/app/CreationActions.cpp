#include "DropDownComboBox.h"
#include "FramePacer.h"
#include "Main.h"
#include "import/CreationProgress.h"
#include "import/CreationRun.h"
#include "import/PriceListFolder.h"
#include "import/UpdateScript.h"
#include "platform/ProgramFolder.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <optional>

namespace {

// The status line changes with every row; it reaches the label when the window gets to
// process its events, so whatever is painted shows the current status. Meanwhile the label
// keeps its size, so that a new text repaints the label alone instead of the whole page.
class ImportProgressTab : public CreationProgress
{
public:
    explicit ImportProgressTab(TForm1& form) : m_form(form), m_pacer(form)
    {
        m_form.Label39->setFixedSize(m_form.Label39->size());
    }
    ~ImportProgressTab() override
    {
        m_form.Label39->setMinimumSize(0, 0);
        m_form.Label39->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void setStatus(const QString& text) override
    {
        m_status = text;
        m_count.reset();
    }
    void setCountStatus(const QString& before, qint64 number, const QString& after) override
    {
        m_status = before;
        m_count = number;
        m_statusEnd = after;
    }
    // A lone carriage return inside a line starts a new line on screen.
    void log(const QString& line) override { m_form.Memo1->appendPlainText(QString(line).replace(u'\r', u'\n')); }
    void processEvents() override
    {
        if (!m_pacer.due())
            return;
        m_form.Label39->setText(m_count ? m_status + QString::number(*m_count) + m_statusEnd : m_status);
        QCoreApplication::processEvents();
    }
    bool goOn() const override { return m_form.creationGoOn; }

private:
    TForm1& m_form;
    FramePacer m_pacer;
    QString m_status;
    std::optional<qint64> m_count;
    QString m_statusEnd;
};

const QString restingStatus = QStringLiteral(".......");

} // namespace

void TForm1::SpeedButton16Click()
{
    if (creationRunning)
        return;
    Label39->setText(restingStatus);
    Memo1->clear();
    if (ComboBox8->currentText().trimmed().isEmpty() || !UniConnection1.connected() || jobRunning())
        return;
    QStringList checked;
    for (int i = 0; i < CheckListBox2->count(); ++i)
        if (CheckListBox2->item(i)->checkState() == Qt::Checked)
            checked << CheckListBox2->item(i)->text();

    UpdateScript script(UpdateScript::defaultPath(), session.schema);
    creationRunning = true;
    creationGoOn = true;
    PageControl2->setCurrentIndex(2);
    ImportProgressTab progress(*this);
    std::exception_ptr failure;
    try {
        runScriptCreation(checked, UniQuery1, session.schema, script, progress);
    } catch (...) {
        failure = std::current_exception();
    }

    // Closing steps, however the run ended.
    UniQuery1.close();
    Label39->setText(restingStatus);
    creationRunning = false;
    creationGoOn = false;
    try {
        script.commit();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
        std::rethrow_exception(failure);
    }
    const QString question = QStringLiteral("The script was created for update, path to the script [")
                             + withTrailingSeparator(ProgramFolder::path()) + UpdateScript::fileName()
                             + QStringLiteral("]\r\rStart updating the price list ?");
    if (!windowClosing && Ui::instance().confirm(question))
        startUpdateScript();
    if (failure)
        std::rethrow_exception(failure);
}

void TForm1::SpeedButton17Click()
{
    if (!creationRunning)
        return;
    if (Ui::instance().confirm(QStringLiteral("Stop the import of data (all first imported data will be saved) ?")))
        creationGoOn = false;
}
