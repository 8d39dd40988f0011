#include "cli/TableCompare.h"

#include "cli/TextOutput.h"
#include "cli/WexelCalc.h"
#include "engine/MemoryPanel.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "tiers/DataFiles.h"

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace wexel::cli {

namespace {

// One line of the comparison, in every format.
struct Row {
    std::string change; // added, removed, renamed, band, capacity
    std::string conversion;
    std::string what; // the unit, the band and its number, or the capacity
    std::string before;
    std::string after;
    std::string difference;
};

// The conversions of a table by code (letter case ignored): a conversion
// keeps its code when its name changes.
std::map<std::string, const Conversion*> byCode(const ConversionTable& table) {
    std::map<std::string, const Conversion*> codes;
    for (const auto& entry : table) {
        codes.emplace(foldKey(entry.item.code), &entry.item);
    }
    return codes;
}

// Calculator 1 of `conversion` for `capacity` under the table loaded now, as
// the window shows it; nothing when the calculator refuses the input.
std::optional<std::string> wexelsFor(const std::string& conversion, const std::string& capacity,
                                     std::string& refusal) {
    const Capture capture;
    MemoryPanel panel(conversion);
    panel.keepWorking(false);
    panel.chooseConversion();
    panel.type(FieldCalc1Capacity, capacity);
    if (panel.text(FieldCalc1Capacity) != capacity) {
        panel.change(FieldCalc1Capacity);
    }
    if (!capture.shown.empty()) {
        refusal = capture.shown.front().onOneLine();
        return std::nullopt;
    }
    return panel.caption(LabelCalc1Wexels);
}

std::string band(std::size_t index) {
    return "band " + std::to_string(index + 1);
}

void compareBands(const Conversion& before, const Conversion& after, std::vector<Row>& rows) {
    const std::size_t count = std::max(before.tiers.size(), after.tiers.size());
    for (std::size_t i = 0; i < count; ++i) {
        const clsTier* b = i < before.tiers.size() ? &before.tiers[i] : nullptr;
        const clsTier* a = i < after.tiers.size() ? &after.tiers[i] : nullptr;
        auto lowest = [](const clsTier* t) { return t ? integerToText(t->MinCap()) : ""; };
        auto slope = [](const clsTier* t) { return t ? numberToText(t->Slope()) : ""; };
        if (b == nullptr || a == nullptr || b->MinCap() != a->MinCap()) {
            rows.push_back({"band", after.name, band(i) + " lowest", lowest(b), lowest(a), ""});
        }
        if (b == nullptr || a == nullptr || b->Slope() != a->Slope()) {
            rows.push_back({"band", after.name, band(i) + " slope", slope(b), slope(a), ""});
        }
    }
}

// The capacities where either table's bands meet: each band's lowest and
// the one below it, and twice the last band's lowest, which shows its slope.
std::vector<std::string> bandEdges(const Conversion& before, const Conversion& after) {
    std::set<std::int64_t> edges;
    for (const Conversion* c : {&before, &after}) {
        for (const clsTier& tier : c->tiers) {
            for (std::int64_t edge :
                 {std::int64_t{tier.MinCap()} - 1, std::int64_t{tier.MinCap()}}) {
                if (edge >= 1) {
                    edges.insert(edge);
                }
            }
        }
        if (!c->tiers.empty() && c->tiers.back().MinCap() >= 1) {
            edges.insert(2 * std::int64_t{c->tiers.back().MinCap()});
        }
    }
    // No further than a capacity field takes.
    std::erase_if(edges, [](std::int64_t edge) { return edge > 99999999; });
    std::vector<std::string> texts;
    texts.reserve(edges.size());
    for (std::int64_t edge : edges) {
        texts.push_back(integerToText(edge));
    }
    return texts;
}

void print(const std::vector<Row>& rows, Format format, std::ostream& out) {
    if (format == Format::Csv) {
        out << "change,conversion,what,old,new,difference\n";
    }
    for (const Row& r : rows) {
        switch (format) {
        case Format::Json:
            out << jsonLine({{"change", r.change},
                             {"conversion", r.conversion},
                             {"what", r.what},
                             {"old", r.before},
                             {"new", r.after},
                             {"difference", r.difference}})
                << '\n';
            break;
        case Format::Csv:
            out << csvField(printable(r.change)) << ',' << csvField(printable(r.conversion)) << ','
                << csvField(printable(r.what)) << ',' << csvField(r.before) << ','
                << csvField(r.after) << ',' << csvField(r.difference) << '\n';
            break;
        case Format::Text:
            out << r.change << '\t' << printableField(r.conversion) << '\t'
                << printableField(r.what) << '\t' << r.before << '\t' << r.after << '\t'
                << r.difference << '\n';
            break;
        }
    }
}

} // namespace

int compareTablesCommand(const std::string& oldFolder, const std::string& newFolder,
                         const std::vector<std::string>& capacities, Format format,
                         std::ostream& out, std::ostream& err) {
    const int limit = calculator(1).inputs.front().maxLength;
    for (const std::string& capacity : capacities) {
        if (characterCount(capacity) > limit) {
            err << tooLongMessage(limit) << '\n';
            return Refused;
        }
    }
    ConversionTable tables[2];
    for (int t = 0; t < 2; ++t) {
        const std::string& folder = t == 0 ? oldFolder : newFolder;
        try {
            tables[t] = ReadDataFiles(folder);
        } catch (const RuntimeError& error) {
            err << "The tables of " << printable(folder) << " do not load: " << error.description()
                << '\n';
            return Refused;
        }
    }
    const auto before = byCode(tables[0]);
    const auto after = byCode(tables[1]);

    std::vector<Row> rows;
    bool differs = false;
    for (const auto& entry : tables[0]) {
        const Conversion* c = &entry.item;
        if (after.find(foldKey(c->code)) == after.end()) {
            rows.push_back({"removed", c->name, c->units, "", "", ""});
            differs = true;
        }
    }
    // The conversions in both tables, by code: each old one with its new one.
    std::vector<std::pair<const Conversion*, const Conversion*>> kept;
    for (const auto& entry : tables[1]) {
        const Conversion* c = &entry.item;
        const auto old = before.find(foldKey(c->code));
        if (old == before.end()) {
            rows.push_back({"added", c->name, c->units, "", "", ""});
            differs = true;
            continue;
        }
        if (old->second->name != c->name) {
            rows.push_back({"renamed", c->name, "name", old->second->name, c->name, ""});
        }
        kept.emplace_back(old->second, c);
    }

    // Each capacity under each table, the table in use swapped in turn, and
    // put back after.
    ConversionTable loaded = SlopeTable();
    int status = Done;
    for (const auto& [was, c] : kept) {
        compareBands(*was, *c, rows);
        const std::vector<std::string> at = capacities.empty() ? bandEdges(*was, *c) : capacities;
        std::vector<std::string> wexels[2];
        std::string refusal;
        for (int t = 0; t < 2 && refusal.empty(); ++t) {
            setSlopeTable(tables[t]);
            const std::string& name = t == 0 ? was->name : c->name;
            for (const std::string& capacity : at) {
                if (const auto w = wexelsFor(name, capacity, refusal)) {
                    wexels[t].push_back(*w);
                } else {
                    break;
                }
            }
        }
        if (!refusal.empty()) {
            err << refusal << '\n';
            status = Refused;
            break;
        }
        for (std::size_t i = 0; i < at.size(); ++i) {
            std::string difference;
            if (isNumeric(wexels[0][i]) && isNumeric(wexels[1][i])) {
                difference = numberToText(textToDouble(wexels[1][i]) - textToDouble(wexels[0][i]));
            }
            differs = differs || wexels[0][i] != wexels[1][i];
            rows.push_back({"capacity", c->name, at[i], wexels[0][i], wexels[1][i], difference});
        }
    }
    setSlopeTable(std::move(loaded));
    if (status != Done) {
        return status;
    }
    print(rows, format, out);
    return differs ? Failed : Done;
}

} // namespace wexel::cli
