// Every message of the preview, in one place.
#pragma once

#include <QString>

namespace PreviewTexts {

// No program at the browser path of the preferences.
inline QString noBrowser(bool firstBrowser) {
    return firstBrowser ? QStringLiteral("Please enter a valid path to the Netscape Navigator in "
                                         "the preference dialog first.")
                        : QStringLiteral("Please enter a valid path to the Internet Explorer in "
                                         "the preference dialog first.");
}

// The preview copy could not be written.
inline QString copyNotWritten(const QString &copy, const QString &reason) {
    return copy + QStringLiteral("\n\n") + reason;
}

} // namespace PreviewTexts
