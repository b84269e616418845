#pragma once
// TDmProduct, a data module of shared lookups; one instance for the whole run.
namespace meridox {

class TDmProduct {
public:
    static TDmProduct& instance();

private:
    TDmProduct() = default;
};

} // namespace meridox
