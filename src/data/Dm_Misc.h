#pragma once
// TDmMisc, a data module of shared lookups; one instance for the whole run.
namespace meridox {

class TDmMisc {
public:
    static TDmMisc& instance();

private:
    TDmMisc() = default;
};

} // namespace meridox
