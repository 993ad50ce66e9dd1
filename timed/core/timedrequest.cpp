#include "timedrequest.h"

#include "timedoptions.h"

namespace {

template <class Request>
int ReadRequest(Request& request, const char* commandLine, WPNotice (*usage)(), WPNotice* refusal) {
    if (request.ParseCommandLine(commandLine) && request.NormalizeTime()) return 1;
    *refusal = usage();
    return 0;
}

}  // namespace

LaunchRequest::LaunchRequest() : noIcon(0), quitAfterFire(1) {
    program[0] = parameters[0] = directory[0] = '\0';
}

int LaunchRequest::ParseCommandLine(const char* commandLine) {
    return ::ParseCommandLine(commandLine, Fields());
}

int LaunchRequest::ParseOptions(const char* text) {
    return ::ParseOptions(text, OptionFlags{&noIcon, &quitAfterFire});
}

int LaunchRequest::ReadCommandLine(const char* commandLine, WPNotice* refusal) {
    return ReadRequest(*this, commandLine, LaunchUsageBox, refusal);
}

LaunchFields LaunchRequest::Fields() {
    return LaunchFields{TimeTextField(),
                        TextField{program, sizeof program},
                        TextField{parameters, sizeof parameters},
                        TextField{directory, sizeof directory},
                        &noIcon,
                        &quitAfterFire};
}

CloseRequest::CloseRequest() : noIcon(0), politeClose(0) {
    caption[0] = '\0';
}

int CloseRequest::ParseCommandLine(const char* commandLine) {
    return ::ParseCommandLine(commandLine, Fields());
}

int CloseRequest::ParseOptions(const char* text) {
    return ::ParseOptions(text, OptionFlags{&noIcon, nullptr, &politeClose});
}

int CloseRequest::ReadCommandLine(const char* commandLine, WPNotice* refusal) {
    return ReadRequest(*this, commandLine, CloseUsageBox, refusal);
}

CloseFields CloseRequest::Fields() {
    return CloseFields{TimeTextField(), TextField{caption, sizeof caption}, &noIcon, &politeClose};
}
