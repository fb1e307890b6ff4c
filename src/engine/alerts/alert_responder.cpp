#include "alerts/alert_responder.h"

#include "external_argument.h"
#include "intruders/intrusion_balloon_text.h"
#include "path_parts.h"
#include "resource_ids.h"

namespace {

constexpr char kNoProgramText[] =
    "No external program is currently configured.\r\nUse the 'Choose External Program' button.";
constexpr char kCannotExecuteText[] = "Cannot execute application: ";
constexpr char kProgramFilter[] = "Program Files|*.exe;*.com;*.bat|All Files (*.*)|*.*||";
constexpr char kProgramExtension[] = "exe";
constexpr unsigned kOpenFileFlags = 0x1004;  // OFN_HIDEREADONLY | OFN_FILEMUSTEXIST
constexpr char kBalloonTitle[] = "Intrusion attempt";

}  // namespace

AlertResponder::AlertResponder(DialogPort& mainDialog, SystemPort& system, FilePort& files, TrayPort& tray,
                               TrayAnimation& animation, MessageBoxes& boxes, const Options& options)
    : mainDialog_(mainDialog),
      system_(system),
      files_(files),
      tray_(tray),
      animation_(animation),
      boxes_(boxes),
      options_(options) {}

void AlertResponder::RaiseIntrusionAlerts(const std::optional<std::string>& firstAddress,
                                          const UpdateAttempts& attempts) {
    animation_.Start();
    if (IsOn(options_.alert)) PlayIntrusionSound();
    if (IsOn(options_.autofill) && firstAddress) mainDialog_.SetText(IDC_EXTERNAL_ARGUMENT, *firstAddress);
    PopUp(attempts);
}

void AlertResponder::PopUp(const UpdateAttempts& attempts) {
    if (!attempts.latest || !options_.popupOnIntrusion) return;
    tray_.ShowBalloon(kBalloonTitle, IntrusionBalloonText(*attempts.latest, attempts.count - 1),
                      BalloonKind::Intrusion);
}

void AlertResponder::PlayIntrusionSound() {
    if (files_.CanReadFile(alertSoundPath_)) {
        system_.PlaySoundFile(alertSoundPath_);
    } else {
        system_.PlaySoundResource(IDR_INTRUDER_SOUND);
    }
}

void AlertResponder::LaunchExternalProgramWith(const std::string& replacement) {
    const std::string& program = options_.externalProgramPath;
    if (program.empty()) {
        boxes_.ShowLater(kNoProgramText);
        return;
    }
    ShellRequest request;
    request.verb = "OPEN";
    request.file = program;
    request.parameters =
        system_.AnsiToUtf8(SubstituteLastParagraph(mainDialog_.GetText(IDC_EXTERNAL_ARGUMENT), replacement));
    request.directory = DriveAndDirectory(program);
    if (!ShellSucceeded(system_.OpenWithShell(request))) boxes_.ShowLater(kCannotExecuteText + program);
}

void AlertResponder::ChooseExternalProgram(Options& options) {
    FileDialogRequest request;
    request.filter = kProgramFilter;
    request.defaultExtension = kProgramExtension;
    request.flags = kOpenFileFlags;
    if (auto chosen = system_.ChooseOpenFile(request)) options.externalProgramPath = *chosen;
}

void AlertResponder::AutofillArgument(const std::optional<std::string>& addressOnScreen) {
    // A click never overwrites what the user typed.
    if (!IsOn(options_.autofill) || !addressOnScreen) return;
    if (!mainDialog_.GetText(IDC_EXTERNAL_ARGUMENT).empty()) return;
    mainDialog_.SetText(IDC_EXTERNAL_ARGUMENT, *addressOnScreen);
}
