#include "logproc/external_program.h"

std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph) {
    const std::size_t at = argumentTemplate.find("%%");
    if (at == std::string::npos) return argumentTemplate;
    std::string argument = argumentTemplate;
    argument.replace(at, 2, lastParagraph);
    return argument;
}

std::string PathBesideExecutable(const std::string& executablePath, const std::string& fileName) {
    const std::size_t separator = executablePath.rfind('\\');
    const std::string folder = separator == std::string::npos ? std::string() : executablePath.substr(0, separator);
    return folder + "\\" + fileName;
}
