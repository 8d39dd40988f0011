#pragma once
// wexel-calc's calculator commands: one calculator of the window for one
// conversion, and calculator 1 for every conversion of a unit side by side.

#include "platform/Ports.h"

#include <ostream>
#include <string>
#include <vector>

namespace wexel::cli {

enum class Format { Text, Csv, Json };

struct CalculatorRequest {
    std::string command;    // "to-wx", "to-capacity", "add-wx", "add-capacity", "add-to-wx"
    std::string conversion; // its name as in the table
    std::vector<std::string> inputs; // in argument order
    Format format = Format::Text;
    bool explain = false;  // the working after the result
    bool estimate = false; // the estimate's text instead of the bare result
};

// The calculator of `request`, as a user at the window: the later inputs typed
// first and the first one last. Returns the exit status.
int calculatorCommand(const CalculatorRequest& request, std::ostream& out, std::ostream& err,
                      Capture& capture);

// Calculator 1 for `capacity` in every conversion whose unit is `unit`, a
// line each, in the table's order. Returns the exit status.
int everyConversionCommand(const std::string& capacity, const std::string& unit, Format format,
                           std::ostream& out, std::ostream& err);

// What a calculation's boxes would have shown, on `err`.
void printShown(const Capture& capture, std::ostream& err);

} // namespace wexel::cli
