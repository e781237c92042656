#include "CommandLine.h"

#include "CommandFailures.h"
#include "Commands.h"
#include "Console.h"

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <map>

namespace {

const QString Usage = QStringLiteral(R"(Usage: velmora [COMMAND [OPTIONS]]
Without a command the window starts. A command runs one job without the window, on a
connection profile stored in the settings file, with the EXPORT page's stored CSV settings
(separators, row limit). Progress and errors go to standard error; nothing is asked.

Commands:
  export --profile NAME --folder DIR [--brands A,B|all] [--brand NAME]... [--columns C,D|all]
      Price and availability export into F1.csv, F2.csv, ... in DIR.
  seo-export --profile NAME --folder DIR [--brands A,B|all] [--brand NAME]... [--columns C,D|all]
             [--generate [--templates T,U|all]]
      SEO export into SeoProduct*.csv and SeoCategories*.csv in DIR: the store's texts,
      or with --generate the default texts, with the named template files.
  create-script --profile NAME --folder DIR [--files F,G] [--out FILE] [--strict] [--code-page CP]
                [--match-by idpart|tradenumber] [--max-change PERCENT]
      Update script from the price lists in DIR (all, in natural name order as the window
      lists them, or the named ones in that order); its path is written to standard output.
      The undo script is written beside it (ScriptForUndo-DATE-TIME.sql); its path and what
      the script will change go to standard error. With --strict, values that the store's
      columns would cut, clamp or round fail the command (exit 4).
      Lists in an older code page are read in the IMPORT page's "Code page of older files",
      or in CP (windows-1250, ...). A list whose texts look read in the wrong code page fails
      the command (exit 4) unless --code-page names the one to use.
      --match-by tradenumber matches the rows of lists with a TRADENUMBER column (and
      BRAND, when there is one) to the store's trade numbers instead of IDPART. With
      --max-change, a price that changes by more than PERCENT fails the command (exit 4):
      those prices are listed and no script is left. Both default to the IMPORT page's settings.
  preview --profile NAME --folder DIR [--files F,G] [--code-page CP] [--match-by ...]
      What the update script from those price lists would change, without writing anything:
      the changed values as CSV on standard output (kind, id, old, new, change in percent).
  run-script --profile NAME FILE
      Runs an SQL script file on the store, with a percentage as it goes.

Options:
  --brands        brand names, comma-separated; default all
  --brand         one brand name, which may hold commas; once per brand, besides --brands.
                  A name that several brands share exports them all, and says so
  --columns       export: IDPART,BRAND,TRADENUMBER,NAMEPART,QUANTITY,PRICE,CURRENCY,PUBLISHED
                  seo-export: the SEO column names (IDPART,BRAND,...,CATEGORY:sluq)
                  default: the columns ticked on the EXPORT page; IDPART (and IDCATEGORY)
                  are always written
  --templates     PRODUCT:product_s_desc,PRODUCT:metadesc,PRODUCT:customtitle,
                  CATEGORY:metadesc,CATEGORY:customtitle
  --password-stdin  read the password from the first line of standard input; without it,
                  VELMORA_PASSWORD when set, else the password the profile saved (in the
                  settings file or the desktop keyring)
  -h, --help      this text
  -v, --version   the program's version

Exit codes:
  0  done
  2  bad arguments: unknown command or option, missing value, unknown profile, brand,
     column, template or file
  3  connection failure: the store's database could not be reached, logged in to or read
  4  job failure: a failed check (such as a missing folder), an error during the job, a
     price list that could not be read, or any failed statement of a script run
)");

using Command = std::function<int(const QStringList&)>;

const std::map<QString, Command>& commands()
{
    static const std::map<QString, Command> table = {
        {QStringLiteral("export"), Commands::priceExport},
        {QStringLiteral("seo-export"), Commands::seoExport},
        {QStringLiteral("create-script"), Commands::createScript},
        {QStringLiteral("preview"), Commands::preview},
        {QStringLiteral("run-script"), Commands::runScript},
    };
    return table;
}

bool isOneOf(const QString& argument, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const char* name) { return argument == QLatin1String(name); });
}

bool asksForHelp(const QString& argument)
{
    return isOneOf(argument, {"-h", "--help"});
}

bool asksForVersion(const QString& argument)
{
    return isOneOf(argument, {"-v", "--version"});
}

} // namespace

bool CommandLine::isCommand(int argc, char* argv[])
{
    if (argc < 2)
        return false;
    // Options of Qt's own ("-platform offscreen", "-style ...") still go to the window.
    const QString first = QString::fromLocal8Bit(argv[1]);
    return !first.startsWith(u'-') || asksForHelp(first) || asksForVersion(first);
}

int CommandLine::run(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString name = arguments.takeFirst();
    if (asksForVersion(name)) {
        Console::result(QStringLiteral("velmora ") + QCoreApplication::applicationVersion());
        return Done;
    }
    if (asksForHelp(name) || std::any_of(arguments.begin(), arguments.end(), asksForHelp)) {
        Console::result(Usage.trimmed());
        return Done;
    }
    try {
        const auto command = commands().find(name);
        if (command == commands().end())
            throw UsageError(QStringLiteral("Unknown command: ") + name);
        return command->second(arguments);
    } catch (const UsageError& error) {
        Console::progress(error.message() + QStringLiteral("\rSee: velmora --help"));
        return BadArguments;
    } catch (const ConnectionFailure& error) {
        Console::progress(error.message());
        return ConnectionFailed;
    } catch (const std::exception& error) {
        Console::progress(errorMessage(error));
        return JobFailed;
    }
}
