#pragma once
// The functions of the system that the report engine of the print window offers to every
// report file: four amounts in words and three quantity renderings.
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <optional>

namespace meridox {

// The three quantity renderings, which read units from the company database. The print
// window wires them to the company data module; tests give fakes. A member left empty
// answers its report function with an empty text (and a warning in the application log).
struct QuantityRenderers {
    // ONHANDQUANTITY: a quantity in small units, shown in the large and small units of unitId.
    std::function<QString(double quantity, int unitId)> quantityText;
    // ONHANDQUANTITYLSUNIT: one part of that rendering (part 1 the large units, 2 the small).
    std::function<QString(double quantity, int unitId, int part)> quantityPartText;
    // FRACSMALLBYSTOCK: a quantity in unitId shown as a fraction of the stock unit.
    std::function<QString(double quantity, int unitId)> stockFractionText;
};

// Answers a report-engine user-function call. `name` is matched without regard to case
// against TELL_REAL_THAI, TELL_REAL_THAI2, TELL_REAL_ENG, TELL_REAL_ENG2, ONHANDQUANTITY,
// ONHANDQUANTITYLSUNIT and FRACSMALLBYSTOCK; `args` are the already evaluated arguments
// (a missing argument reads as 0). Any other name gives no answer (std::nullopt), so the
// engine's own functions can answer it.
std::optional<QString> ReportUserFunction(const QString& name, const QVariantList& args,
                                          const QuantityRenderers& renderers);

// The same, in the shape of the engine's event: on a match `value` receives the text and
// true is returned; otherwise `value` is left as the engine set it and false is returned.
bool ReportUserFunction(const QString& name, const QVariantList& args, QVariant& value,
                        const QuantityRenderers& renderers);

} // namespace meridox
