#include "app/DisplayChoice.h"

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <string_view>

namespace mosgrid {

namespace {

constexpr char kOffscreen[] = "offscreen";

// Qt's own options that pick a platform or a display; either way the user chose.
constexpr std::array<std::string_view, 4> kChoosingOptions = {"-platform", "--platform",
                                                               "-display", "--display"};

// Platforms that draw into memory only.
constexpr std::array<std::string_view, 2> kScreenlessPlatforms = {"offscreen", "minimal"};

std::string Variable(const char* name)
{
    return qEnvironmentVariable(name).toStdString();
}

} // namespace

DisplayEnvironment DisplayEnvironment::OfProcess()
{
    return DisplayEnvironment{Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"),
                              Variable("WAYLAND_DISPLAY")};
}

std::string PlatformForWindowlessRun(const DisplayEnvironment& environment,
                                     const std::vector<std::string>& args)
{
    if (!environment.qpaPlatform.empty() || !environment.display.empty()
        || !environment.waylandDisplay.empty())
        return {};
    const bool chosen = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return std::find(kChoosingOptions.begin(), kChoosingOptions.end(), arg)
            != kChoosingOptions.end();
    });
    return chosen ? std::string() : std::string(kOffscreen);
}

bool IsScreenlessPlatform(const QString& platformName)
{
    const QByteArray name = platformName.toUtf8();
    return std::find(kScreenlessPlatforms.begin(), kScreenlessPlatforms.end(),
                     std::string_view(name.constData(), std::size_t(name.size())))
        != kScreenlessPlatforms.end();
}

} // namespace mosgrid
