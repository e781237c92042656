// The cost of the review before the question (preview, slug check, undo script) on a demo store:
// a script that sets the price, stock and publication of every product and the slug of every
// tenth, reviewed against the store; beside it, one plain read of the same rows. The review's
// phases are then timed one by one, in a second pass.
//   bench_preview CONNECTION_INI FOLDER
#include "DemoStore.h"
#include "db/DbConnection.h"
#include "import/ScriptReview.h"
#include "import/StoreSnapshot.h"
#include "import/UndoScript.h"
#include "import/UpdateScript.h"
#include "settings/IniFile.h"
#include "store/StoreSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 3) {
        std::fprintf(stderr, "usage: bench_preview CONNECTION_INI FOLDER\n");
        return 2;
    }
    const DemoStore store{IniFile(app.arguments()[1])};
    DbConnection connection(QStringLiteral("bench"));
    store.connect(connection);
    const StoreSchema schema = store.schema();
    MysqlResult max =
        connection.query(QStringLiteral("SELECT MAX(virtuemart_product_id) FROM ") + schema.products());
    const int maxId = max.first() ? max.integer(0) : 0;

    const QDir folder(app.arguments()[2]);
    UpdateScript script(folder.filePath(QStringLiteral("update.sql")), schema);
    for (int id = 1; id <= maxId; ++id) {
        script.writePublication(id, id % 9 == 0 ? 0 : 1);
        script.writePrice(id, 10 + id % 500 * 1.05);
        script.writeStock(id, (id * 7 + 3) % 60);
        if (id % 10 == 0)
            script.writeProductSeo(id, {{QStringLiteral("slug"), QStringLiteral("part-%1-new").arg(id)}});
    }
    script.commit();

    QElapsedTimer clock;
    clock.start();
    const ScriptReview review =
        ScriptReview::of(script.planned(), schema, connection, folder.filePath(QStringLiteral("undo.sql")));
    const double reviewSeconds = clock.nsecsElapsed() / 1e9;

    clock.restart();
    qint64 rows = 0;
    for (const QString& sql :
         {QStringLiteral("SELECT virtuemart_product_id, published, product_in_stock FROM ") +
              schema.products(),
          QStringLiteral("SELECT virtuemart_product_id, virtuemart_product_price_id, product_price FROM ") +
              schema.productPrices(),
          QStringLiteral("SELECT virtuemart_product_id, slug FROM ") + schema.productTexts()}) {
        MysqlResult result = connection.query(sql);
        for (bool more = result.first(); more; more = result.next())
            ++rows;
    }
    const double readSeconds = clock.nsecsElapsed() / 1e9;

    // The phases as the review runs them, each on its own clock.
    clock.restart();
    const StoreSnapshot snapshot = StoreSnapshot::read(script.planned(), schema, connection);
    const double snapshotSeconds = clock.nsecsElapsed() / 1e9;
    clock.restart();
    const std::vector<FinalValue> finals = finalValues(script.planned());
    const ChangePreview preview = ChangePreview::compute(finals, snapshot);
    const double previewSeconds = clock.nsecsElapsed() / 1e9;
    clock.restart();
    const SlugCheck slugs = SlugCheck::run(script.planned(), snapshot, schema, connection);
    const double slugSeconds = clock.nsecsElapsed() / 1e9;
    clock.restart();
    writeUndoScript(folder.filePath(QStringLiteral("undo-again.sql")), finals, snapshot, schema);
    const double undoSeconds = clock.nsecsElapsed() / 1e9;

    std::printf(
        "planned_values=%zu\nreview_queries=%d\nchanged_rows=%zu\nslug_collisions=%d\n"
        "review_seconds=%.3f\nplain_read_seconds=%.3f\nplain_read_rows=%lld\nratio=%.2f\n"
        "snapshot_seconds=%.3f\npreview_seconds=%.3f\nslug_check_seconds=%.3f\nundo_script_seconds=%.3f\n",
        script.planned().values().size(), review.queries, review.preview.rows.size(),
        review.slugs.failingStatements(), reviewSeconds, readSeconds, rows, reviewSeconds / readSeconds,
        snapshotSeconds, previewSeconds, slugSeconds, undoSeconds);
    return 0;
}
