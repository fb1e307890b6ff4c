#include "logproc/external_program.h"

std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph) {
    const std::size_t at = argumentTemplate.find("%%");
    if (at == std::string::npos) return argumentTemplate;
    std::string argument = argumentTemplate;
    argument.replace(at, 2, lastParagraph);
    return argument;
}

std::string ProgramFolder(const std::string& programPath) {
    const std::size_t separator = programPath.find_last_of("\\/");
    if (separator != std::string::npos) return programPath.substr(0, separator + 1);
    // "C:program.exe" still names a drive.
    const std::size_t colon = programPath.find(':');
    return colon == std::string::npos ? std::string() : programPath.substr(0, colon + 1);
}

std::string PathBesideExecutable(const std::string& executablePath, const std::string& fileName) {
    const std::size_t separator = executablePath.rfind('\\');
    const std::string folder = separator == std::string::npos ? std::string() : executablePath.substr(0, separator);
    return folder + "\\" + fileName;
}
