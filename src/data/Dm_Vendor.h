#pragma once
// TDmVendor, a data module of shared lookups; one instance for the whole run.
namespace meridox {

class TDmVendor {
public:
    static TDmVendor& instance();

private:
    TDmVendor() = default;
};

} // namespace meridox
