#pragma once

#include "PlannedChanges.h"
#include "store/StoreSchema.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class OutputFile;
class QDateTime;

// The update script ScriptForUpdatePrices.sql: statement blocks, each followed by a line of
// two blanks, and "COMMIT;" at the end. UTF-8 with a byte-order mark, CR LF line ends; its
// owner's alone to read, also where it replaces a file that others could read.
// A write that fails throws: a script cut short must be discarded, never run, since its
// last statement could lack its WHERE line.
class UpdateScript
{
public:
    static QString fileName() { return QStringLiteral("ScriptForUpdatePrices.sql"); }
    static QString defaultPath();
    // The undo script of a run at that time, beside its update script:
    // ScriptForUndo-yyyy-MM-dd-HHmmss.sql.
    static QString undoPath(const QString& scriptPath, const QDateTime& time);

    // Creates the file anew; throws AppError when it cannot be created. Without a path the
    // statements are only planned, for a preview that writes nothing.
    UpdateScript(const QString& path, StoreSchema schema);
    ~UpdateScript();

    void writePublication(int productId, int published);
    void writePrice(int productId, double price);
    void writeStock(int productId, int quantity);
    // items: (store column, cell text) in column order; texts are escaped here.
    using SetItems = std::vector<std::pair<QString, QString>>;
    void writeProductSeo(int id, const SetItems& items);
    void writeCategorySeo(int id, const SetItems& items);
    // A statement of the given lines, the last ending with ";"; not counted as planned.
    void writeBlock(const QStringList& lines);
    // Statements put together elsewhere in UTF-8, each ending in the blank line; not counted
    // as planned.
    void writeBlocks(QByteArrayView blocks);

    // What the statements written so far set, for the preview and the undo script.
    const PlannedChanges& planned() const { return m_planned; }

    // Writes "COMMIT;" and closes the file. When that fails, or a block could not be written
    // before, the file is removed and AppError thrown.
    void commit();

    // The script number form of a price: up to 15 significant digits, "." as decimal mark.
    static QString numberText(double value);

private:
    void planSeo(StoreTable table, int id, const SetItems& items);
    // The price, stock and publication blocks come by the hundred thousand: they are put
    // together as UTF-8 from parts made once, in one reused buffer.
    void writeValueBlock(const QByteArray& head, QByteArrayView value, const QByteArray& where, int id);

    QString m_path;
    StoreSchema m_schema;
    std::unique_ptr<OutputFile> m_file;
    bool m_failed = false;
    QByteArray m_publicationHead;
    QByteArray m_priceHead;
    QByteArray m_stockHead;
    QByteArray m_productWhere;
    QByteArray m_priceWhere;
    std::string m_block;
    PlannedChanges m_planned;
};
