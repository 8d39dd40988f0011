#include "cli/Calculate.h"

#include "cli/TextOutput.h"
#include "cli/WexelCalc.h"
#include "engine/Comparison.h"
#include "engine/Estimate.h"
#include "engine/MemoryPanel.h"
#include "engine/Working.h"
#include "platform/Text.h"
#include "tiers/DataFiles.h"

namespace wexel::cli {

namespace {

const CalculatorDescription& calculatorFor(const std::string& command) {
    for (const CalculatorDescription& c : calculators()) {
        if (command == c.command) {
            return c;
        }
    }
    return calculators().front();
}

// An input longer than the window's field takes is refused, as the field
// refuses it; said on `err`. False when one is too long.
bool fitsTheFields(const CalculatorDescription& calc, const std::vector<std::string>& inputs,
                   std::ostream& err) {
    for (std::size_t i = 0; i < calc.inputs.size(); ++i) {
        const int limit = calc.inputs[i].maxLength;
        if (characterCount(inputs[i]) > limit) {
            err << tooLongMessage(limit) << '\n';
            return false;
        }
    }
    return true;
}

// Types the inputs into a panel as a user at the window would: the conversion
// chosen, the later inputs first and the first one last. That last
// calculation checks every field it reads, so only its messages are kept;
// errors reported on the way are kept too. True when no input was refused.
bool typeInputs(MemoryPanel& panel, const CalculatorDescription& calc,
                const std::vector<std::string>& inputs, Capture& capture) {
    capture.shown.clear();
    panel.chooseConversion();
    for (std::size_t i = calc.inputs.size(); i-- > 1;) {
        panel.type(calc.inputs[i].field, inputs[i]);
    }
    std::erase_if(capture.shown, [](const Capture::Shown& s) { return !s.isError; });
    const PanelField first = calc.inputs.front().field;
    if (panel.text(first) == inputs.front()) {
        panel.change(first); // typed over with the same text: calculated all the same
    } else {
        panel.type(first, inputs.front());
    }
    return !capture.anyMessage();
}

} // namespace

void printShown(const Capture& capture, std::ostream& err) {
    for (const Capture::Shown& shown : capture.shown) {
        err << shown.asBox() << '\n';
    }
}

int calculatorCommand(const CalculatorRequest& request, std::ostream& out, std::ostream& err,
                      Capture& capture) {
    const CalculatorDescription& calc = calculatorFor(request.command);
    if (!fitsTheFields(calc, request.inputs, err)) {
        return Refused;
    }
    MemoryPanel panel(request.conversion);
    const bool accepted = typeInputs(panel, calc, request.inputs, capture);
    const std::vector<std::string> working =
        request.explain && accepted
            ? explainCalculator(calc.number, panel.panel(), request.conversion)
            : std::vector<std::string>{};
    // As the window copies none, no estimate for a refused input.
    const std::string estimate = request.estimate && accepted
                                     ? estimateText(calc.number, panel.panel(), request.conversion,
                                                    request.explain && accepted)
                                     : std::string();

    if (request.format == Format::Json) {
        Json object{{"command", request.command}, {"conversion", request.conversion}};
        for (std::size_t i = 0; i < calc.inputs.size(); ++i) {
            object[calc.inputs[i].key] = request.inputs[i];
        }
        for (const CalculatorResult& output : calc.results) {
            object[output.key] = panel.caption(output.label);
        }
        if (request.explain) {
            object["working"] = working;
        }
        if (request.estimate) {
            object["estimate"] = estimate;
        }
        out << jsonLine(object) << '\n';
    } else if (request.estimate) {
        out << estimate;
    } else {
        std::string line;
        for (const CalculatorResult& output : calc.results) {
            line += (line.empty() ? "" : "\t") + panel.caption(output.label);
        }
        out << line << '\n';
        for (const std::string& w : working) {
            out << printable(w) << '\n';
        }
    }
    printShown(capture, err);
    return !accepted ? Refused : capture.anyError() ? Failed : Done;
}

int everyConversionCommand(const std::string& capacity, const std::string& unit, Format format,
                           std::ostream& out, std::ostream& err) {
    const CalculatorDescription& calc = calculator(1);
    if (!fitsTheFields(calc, {capacity}, err)) {
        return Refused;
    }
    const std::vector<ConversionWexels> rows = wexelsUnderEveryConversion(capacity, unit);
    if (rows.empty()) {
        err << "No conversion has the unit " << printable(unit) << '\n';
        return Refused;
    }
    bool failed = false;
    if (format == Format::Csv && !rows.front().refused) {
        out << "conversion,capacity,wexels\n";
    }
    for (const ConversionWexels& row : rows) {
        for (const Capture::Shown& shown : row.shown) {
            err << shown.asBox() << '\n';
        }
        if (row.refused) {
            // Every conversion refuses the input alike: said once, nothing printed.
            return Refused;
        }
        failed = failed || !row.shown.empty();
        const std::string& name = row.conversion->name;
        switch (format) {
        case Format::Json:
            out << jsonLine({{"conversion", name},
                             {"units", row.conversion->units},
                             {"capacity", capacity},
                             {"wexels", row.wexels}})
                << '\n';
            break;
        case Format::Csv:
            out << csvField(printable(name)) << ',' << csvField(capacity) << ','
                << csvField(row.wexels) << '\n';
            break;
        case Format::Text:
            out << printableField(name) << '\t' << row.wexels << '\n';
            break;
        }
    }
    return failed ? Failed : Done;
}

} // namespace wexel::cli
