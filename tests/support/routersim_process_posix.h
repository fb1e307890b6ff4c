#pragma once
#include <string>
#include <vector>

// A natively started router simulator, stopped when this object goes.
class RouterSimProcess {
public:
    explicit RouterSimProcess(const std::vector<std::string>& arguments = {});
    ~RouterSimProcess();
    RouterSimProcess(const RouterSimProcess&) = delete;
    RouterSimProcess& operator=(const RouterSimProcess&) = delete;

    int port = 0;
    std::string failure;  // why it did not start

private:
    int pid_ = -1;
};
