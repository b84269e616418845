#include "printing/ReportFunctions.h"

#include "printing/U_Utility.h"

#include <QtDebug>

#include <cmath>
#include <limits>

namespace meridox {

namespace {

double realArg(const QVariantList& args, int i)
{
    return i < args.size() ? args.at(i).toDouble() : 0.0;
}

// A whole-number argument; a real value is rounded to the nearest whole number.
int wholeArg(const QVariantList& args, int i)
{
    const double v = realArg(args, i);
    if (!std::isfinite(v))
        return 0;
    const double r = std::round(v);
    if (r > std::numeric_limits<int>::max() || r < std::numeric_limits<int>::min())
        return 0;
    return int(r);
}

template <typename Function, typename... Args>
QString render(const Function& function, const char* name, Args... args)
{
    if (!function) {
        qWarning("Report function %s: no quantity rendering is connected", name);
        return {};
    }
    return function(args...);
}

} // namespace

std::optional<QString> ReportUserFunction(const QString& name, const QVariantList& args,
                                          const QuantityRenderers& renderers)
{
    const QString n = name.trimmed().toUpper();
    if (n == QLatin1String("TELL_REAL_THAI"))
        return ThaiAmountText(realArg(args, 0), wholeArg(args, 1));
    if (n == QLatin1String("TELL_REAL_THAI2"))
        return ThaiPointText(realArg(args, 0), wholeArg(args, 1));
    if (n == QLatin1String("TELL_REAL_ENG"))
        return EnglishAmountText(realArg(args, 0), wholeArg(args, 1));
    if (n == QLatin1String("TELL_REAL_ENG2"))
        return EnglishPointText(realArg(args, 0), wholeArg(args, 1));
    if (n == QLatin1String("ONHANDQUANTITY"))
        return render(renderers.quantityText, "ONHANDQUANTITY", realArg(args, 0), wholeArg(args, 1));
    if (n == QLatin1String("ONHANDQUANTITYLSUNIT"))
        return render(renderers.quantityPartText, "ONHANDQUANTITYLSUNIT", realArg(args, 0),
                      wholeArg(args, 1), wholeArg(args, 2));
    if (n == QLatin1String("FRACSMALLBYSTOCK"))
        return render(renderers.stockFractionText, "FRACSMALLBYSTOCK", realArg(args, 0),
                      wholeArg(args, 1));
    return std::nullopt;
}

bool ReportUserFunction(const QString& name, const QVariantList& args, QVariant& value,
                        const QuantityRenderers& renderers)
{
    std::optional<QString> answer = ReportUserFunction(name, args, renderers);
    if (!answer)
        return false;
    value = *answer;
    return true;
}

} // namespace meridox
