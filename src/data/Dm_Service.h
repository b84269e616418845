#pragma once
// TDmService, a data module of shared lookups; one instance for the whole run.
namespace meridox {

class TDmService {
public:
    static TDmService& instance();

private:
    TDmService() = default;
};

} // namespace meridox
