#include "external_argument.h"

std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph) {
    const std::size_t at = argumentTemplate.find("%%");
    if (at == std::string::npos) return argumentTemplate;
    std::string argument = argumentTemplate;
    argument.replace(at, 2, lastParagraph);
    return argument;
}
