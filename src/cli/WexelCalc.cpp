#include "cli/WexelCalc.h"

#include "cli/Batch.h"
#include "cli/Calculate.h"
#include "cli/DataCheck.h"
#include "cli/TableCompare.h"
#include "cli/TextOutput.h"
#include "engine/Curve.h"
#include "engine/MemoryPanel.h"
#include "engine/Working.h"
#include "platform/Numbers.h"
#include "platform/Ports.h"
#include "platform/Text.h"
#include "platform/TextFileReader.h"
#include "tiers/DataFiles.h"
#include "tiers/TierList.h"

#include <limits>
#include <new>
#include <optional>
#include <string_view>

namespace wexel {

namespace cli {

namespace {

// Where the window reports a data file that does not load.
constexpr const char* kLoadLocation = "ModGlobals.Main";

const char* const kInterface =
    "wexel-calc [--data DIR] list\n"
    "wexel-calc [--data DIR] tiers NAME\n"
    "wexel-calc [--data DIR] curve NAME                          (the tier chart's points)\n"
    "wexel-calc [--data DIR] to-wx NAME CAPACITY                 (calculator 1)\n"
    "wexel-calc [--data DIR] to-capacity NAME WEXELS             (calculator 2)\n"
    "wexel-calc [--data DIR] add-wx NAME WEXELS CAPACITY         (calculator 3)\n"
    "wexel-calc [--data DIR] add-capacity NAME ADDED EXISTING    (calculator 4)\n"
    "wexel-calc [--data DIR] add-to-wx NAME ADDED WEXELS         (calculator 5)\n"
    "wexel-calc [--data DIR] to-wx --all [--unit UNIT] CAPACITY  (every conversion of a unit)\n"
    "wexel-calc [--data DIR] batch NAME [FILE]                   (FILE or standard input)\n"
    "wexel-calc [--data DIR] check\n"
    "wexel-calc --data OLD --data NEW compare [CAPACITY...]     (two tier tables)\n";

const char* const kOptions =
    "\n"
    "Options may come anywhere among the arguments; \"--\" ends them, so that what\n"
    "follows it is an argument even if it starts with \"--\". A negative number such\n"
    "as -7 is always an argument.\n"
    "  --data DIR   the folder with \"vqcsname.dat\" and \"vqcslope.dat\"\n"
    "               (default: the folder of wexel-calc)\n"
    "  --json       the results as one JSON object per line\n"
    "  --explain    with a calculator: the working, tier by tier\n"
    "  --estimate   with a calculator: the estimate as the window copies it: its\n"
    "               date, the conversion, the sentence with its numbers, the tier\n"
    "               table (file, date, SHA-256) and the disclaimer; with\n"
    "               --explain, the working too\n"
    "  --all        with to-wx: every conversion of a unit, a line each\n"
    "  --unit UNIT  with --all: MSU, MSG or ENG (default: the unit of WXE007)\n"
    "  --csv        with --all, curve or compare: CSV, a header first\n"
    "  --help       this text\n"
    "  --version    the program's version\n"
    "\n"
    "NAME is a conversion name as listed by \"list\" (letter case ignored).\n"
    "Calculators 4 and 5 print the additional Wexels, a TAB, and the total capacity.\n"
    "An input is at most as long as the window's field: 8 characters for a\n"
    "capacity, 6 for Wexels.\n"
    "curve prints the tier chart's points, a line each: a capacity, the Wexels it\n"
    "requires (unrounded) and the tier whose band starts there (none at the end);\n"
    "between two points the Wexels grow in a straight line.\n"
    "batch reads a capacity or label,capacity per line and writes\n"
    "label,capacity,wexels (CSV, header first).\n"
    "compare reads the tables of two folders and prints, a line each, the\n"
    "conversions added, removed and renamed, the bands whose lowest capacity or\n"
    "slope changed, and for each CAPACITY (default: where either table's bands\n"
    "meet) the Wexels under the old and the new table and their difference;\n"
    "it exits 0 when every capacity converts the same, 1 when something differs.\n"
    "\n"
    "Exit status: 0 done; 1 a data file did not load, an error was reported,\n"
    "a batch had bad lines, or check found warnings only; 2 a usage error, an\n"
    "unknown conversion, a rejected input, or check found errors.\n";

struct Options {
    std::vector<std::string> dataFolders;
    std::optional<std::string> unit;
    bool json = false;
    bool csv = false;
    bool explain = false;
    bool estimate = false;
    bool all = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> words; // the command and its arguments
};

struct CommandShape {
    const char* name;
    std::size_t minArgs;
    std::size_t maxArgs;
    const char* arguments;
};

constexpr CommandShape kCommands[] = {
    {"list", 0, 0, ""},
    {"tiers", 1, 1, "NAME"},
    {"curve", 1, 1, "NAME"},
    {"to-wx", 2, 2, "NAME CAPACITY"},
    {"to-capacity", 2, 2, "NAME WEXELS"},
    {"add-wx", 3, 3, "NAME WEXELS CAPACITY"},
    {"add-capacity", 3, 3, "NAME ADDED EXISTING"},
    {"add-to-wx", 3, 3, "NAME ADDED WEXELS"},
    {"batch", 1, 2, "NAME [FILE]"},
    {"check", 0, 0, ""},
    {"compare", 0, std::numeric_limits<std::size_t>::max(), "[CAPACITY...]"},
};

class UsageError {
public:
    explicit UsageError(std::string message) : text(std::move(message)) {}
    std::string text;
};

Options parse(const std::vector<std::string>& args) {
    Options o;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-' || (a[1] != '-' && a != "-h")) {
            // A lone "-" or a negative number is an argument, not an option.
            o.words.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--explain") {
            o.explain = true;
        } else if (a == "--estimate") {
            o.estimate = true;
        } else if (a == "--csv") {
            o.csv = true;
        } else if (a == "--all") {
            o.all = true;
        } else if (a == "--unit") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                throw UsageError("--unit needs a unit code");
            }
            o.unit = args[++i];
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--data") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                throw UsageError("--data needs a folder");
            }
            o.dataFolders.push_back(args[++i]);
        } else if (a.rfind("--data=", 0) == 0) {
            if (a.size() == 7) {
                throw UsageError("--data needs a folder");
            }
            o.dataFolders.push_back(a.substr(7));
        } else {
            throw UsageError("unknown option " + a);
        }
    }
    return o;
}

const CommandShape& shapeOf(const Options& o) {
    if (o.words.empty()) {
        throw UsageError("no command given");
    }
    for (const CommandShape& shape : kCommands) {
        if (o.words[0] == shape.name) {
            const bool calculator = shape.minArgs >= 2;
            const bool compare = o.words[0] == std::string_view("compare");
            if (compare ? o.dataFolders.size() != 2 : o.dataFolders.size() > 1) {
                throw UsageError(compare ? "compare needs two folders: --data OLD --data NEW"
                                         : "--data is given once, except to compare");
            }
            if (o.all) {
                // Calculator 1 for every conversion of a unit: the capacity alone.
                if (o.words[0] != "to-wx" || o.words.size() != 2) {
                    throw UsageError(std::string("usage: ") + kProgram +
                                     " [--data DIR] to-wx --all [--unit UNIT] CAPACITY");
                }
                if (o.explain || o.estimate) {
                    throw UsageError("--all takes neither --explain nor --estimate");
                }
                return shape;
            }
            const std::size_t n = o.words.size() - 1;
            if (n < shape.minArgs || n > shape.maxArgs) {
                throw UsageError(std::string("usage: ") + kProgram + " [--data DIR] " + shape.name +
                                 (*shape.arguments != '\0' ? " " : "") + shape.arguments);
            }
            if ((o.explain || o.estimate) && !calculator) {
                throw UsageError(std::string(o.explain ? "--explain" : "--estimate") +
                                 " goes with the calculator commands only");
            }
            if (o.unit) {
                throw UsageError("--unit goes with to-wx --all only");
            }
            if (o.csv && !compare && o.words[0] != "curve") {
                throw UsageError("--csv goes with to-wx --all, curve and compare only (batch "
                                 "writes CSV anyway)");
            }
            return shape;
        }
    }
    throw UsageError("unknown command " + o.words[0]);
}

class Run {
public:
    Run(const Options& o, std::ostream& out, std::ostream& err, std::istream& in,
        std::string folder)
        : o_(o), out_(out), err_(err), in_(in), folder_(std::move(folder)) {}

    int command(const std::string& name) {
        if (name == "check") {
            return check();
        }
        if (name == "compare") {
            const Format format = o_.json ? Format::Json : o_.csv ? Format::Csv : Format::Text;
            return compareTablesCommand(o_.dataFolders[0], o_.dataFolders[1],
                                        {o_.words.begin() + 1, o_.words.end()}, format, out_, err_);
        }
        if (!load()) {
            return Failed;
        }
        if (name == "list") {
            return list();
        }
        if (o_.all) {
            return everyConversion();
        }
        const Conversion* conversion = SlopeTable().find(o_.words[1]);
        if (conversion == nullptr) {
            err_ << "Unknown conversion: " << printable(o_.words[1]) << '\n';
            return Refused;
        }
        if (conversion->tiers.empty()) {
            err_ << "Conversion has no tiers: " << printable(conversion->name) << '\n';
            return Refused;
        }
        if (name == "tiers") {
            return tiers(conversion->name);
        }
        if (name == "curve") {
            return curve(conversion->name);
        }
        if (name == "batch") {
            return batch(conversion->name);
        }
        return calculator(name, conversion->name);
    }

private:
    bool load() {
        if (reportingFailures(kLoadLocation, "", [&] { LoadDataFiles(folder_); })) {
            return true;
        }
        printShown(capture_, err_);
        return false;
    }

    int list() {
        for (const auto& entry : SlopeTable()) {
            const Conversion& c = entry.item;
            if (o_.json) {
                out_ << jsonLine({{"name", c.name}, {"units", c.units}, {"tiers", c.tiers.size()}})
                     << '\n';
            } else {
                out_ << printableField(c.name) << '\t' << printableField(c.units) << '\t'
                     << c.tiers.size() << '\n';
            }
        }
        return Done;
    }

    int tiers(const std::string& name) {
        for (const TierListRow& row : tierListRows(name)) {
            if (o_.json) {
                // The numbers as JSON numbers; the last tier has no highest.
                out_ << jsonLine(
                            {{"tier", row.tier},
                             {"lowest", Json::parse(row.lowest)},
                             {"highest", Json::parse(row.highest == "+" ? "null" : row.highest)},
                             {"slope", Json::parse(row.slope)}})
                     << '\n';
            } else {
                out_ << row.tier << '\t' << row.lowest << '\t' << row.dash << '\t' << row.highest
                     << '\t' << row.slope << '\n';
            }
        }
        return Done;
    }

    int curve(const std::string& name) {
        if (o_.csv) {
            out_ << "capacity,wexels,tier\n";
        }
        for (const CurvePoint& p : tierCurve(name)) {
            const std::string tier = p.tier > 0 ? tierCaption(p.tier) : "";
            if (o_.json) {
                out_ << jsonLine({{"capacity", Json::parse(numberToText(p.capacity))},
                                  {"wexels", Json::parse(numberToText(p.wexels))},
                                  {"tier", p.tier > 0 ? Json(tier) : Json(nullptr)}})
                     << '\n';
            } else {
                const char separator = o_.csv ? ',' : '\t';
                out_ << numberToText(p.capacity) << separator << numberToText(p.wexels) << separator
                     << tier << '\n';
            }
        }
        return Done;
    }

    int calculator(const std::string& command, const std::string& name) {
        CalculatorRequest request{command, name, {o_.words.begin() + 2, o_.words.end()}};
        request.format = o_.json ? Format::Json : Format::Text;
        request.explain = o_.explain;
        request.estimate = o_.estimate;
        return calculatorCommand(request, out_, err_, capture_);
    }

    int everyConversion() {
        // The unit of the default conversion, unless one is asked for.
        std::string unit = o_.unit.value_or("MSU");
        if (!o_.unit) {
            if (const Conversion* standard = SlopeTable().find(kDefaultConversion)) {
                unit = standard->units;
            }
        }
        const Format format = o_.json ? Format::Json : o_.csv ? Format::Csv : Format::Text;
        return everyConversionCommand(o_.words[1], unit, format, out_, err_);
    }

    int batch(const std::string& name) {
        return batchCommand(name, o_.words.size() > 2 ? o_.words[2] : "-", in_, out_, err_, o_.json,
                            capture_);
    }

    int check() { return checkCommand(folder_, o_.json, out_, err_); }

    const Options& o_;
    std::ostream& out_;
    std::ostream& err_;
    std::istream& in_;
    std::string folder_;
    Capture capture_;
};

} // namespace

} // namespace cli

int runWexelCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::istream& in, const std::string& defaultDataFolder) {
    using namespace cli;
    // English number forms whatever the system's locale, so that scripts
    // read and write the same numbers everywhere.
    const ScopedNumberLocale numbers({".", ","});
    int status = Refused;
    try {
        const Options o = parse(args);
        if ((o.help || o.version) && !o.words.empty()) {
            throw UsageError(std::string(o.help ? "--help" : "--version") +
                             " takes no command or argument");
        }
        if (o.help) {
            out << kInterface << kOptions;
            status = Done;
        } else if (o.version) {
            const VersionInfo v = builtInVersion();
            out << kProgram << ' ' << v.major << '.' << v.minor << '.' << v.revision << '\n';
            status = Done;
        } else {
            const CommandShape& shape = shapeOf(o);
            Run run(o, out, err, in,
                    o.dataFolders.empty() ? defaultDataFolder : o.dataFolders.front());
            status = run.command(shape.name);
        }
    } catch (const UsageError& e) {
        err << kProgram << ": " << e.text << '\n' << "Try \"" << kProgram << " --help\".\n";
        status = Refused;
    } catch (const std::bad_alloc&) {
        err << kProgram << ": out of memory\n";
        status = Failed;
    } catch (const std::exception& e) {
        err << kProgram << ": " << e.what() << '\n';
        status = Failed;
    }
    out.flush();
    if (!out) {
        err << kProgram << ": the results could not be written\n";
        status = status == Done ? Failed : status;
    }
    return status;
}

} // namespace wexel
