// The ready-made page effects of the JavaScript wizard: each effect's script as whole lines (head
// scripts indented by ten spaces, the ticker and slide show by six), the element it needs at the
// caret, and the identifiers that place it (body attribute, marker, display name).
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The identifiers of an effect: what goes into the body start tag, the text whose presence before
// "</HEAD" means the page holds the script already (empty: never), and the name used in messages.
struct ScriptIdentity {
    QString bodyAttribute;
    QString marker;
    QString name;
};

ScriptIdentity scrollerIdentity();
ScriptIdentity tickerIdentity();
ScriptIdentity marqueeIdentity();
ScriptIdentity autoscrollIdentity();
ScriptIdentity slideShowIdentity();

// "very fast" 10, "fast" 30, "slow" 70, "very slow" 90, anything else ("medium", "middle") 50.
int scrollerDelay(const QString &speedWord);

// Text put between double quotes in a script: backslashes and quotes are escaped, and "</" cannot
// end the script element early.
QString scriptStringLiteral(const QString &text);

QStringList scrollerScript(const QString &text, int delay);

// One ticker message per line; empty lines are left out.
QStringList tickerScript(const QStringList &messages);
QString tickerElement(int width);
// The width that shows the longest message whole.
int tickerAutoWidth(const QStringList &messages);

QStringList marqueeScript(const QString &text, int width);
QString marqueeElement(int width);

QStringList autoscrollScript();

// `slides` are the references as written into the page; `delay` in milliseconds.
QStringList slideShowScript(const QStringList &slides, const QString &delay);
QString slideShowElement(const QString &firstSlide);

struct RgbValue {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbValue &o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
};

enum class FadeType { FadeIn, FadeOut, Both };

struct FadeOptions {
    FadeType type = FadeType::FadeIn;
    RgbValue from;                // black, white or gray
    RgbValue page{150, 150, 150}; // the page's own colour
    int speed = 64;               // steps of the fade, 2 (fastest) to 255
};

inline constexpr RgbValue FadeBlack{0, 0, 0};
inline constexpr RgbValue FadeWhite{255, 255, 255};
inline constexpr RgbValue FadeGray{180, 180, 180};

// The page colour from the BGCOLOR="#rrggbb" attribute of the body start tag; 150,150,150 without
// a readable one.
RgbValue pageColorForFade(QStringView documentText);
QStringList fadeScript(const FadeOptions &options);
// The attribute for the body tag: only a fade out (or both) needs one.
QString fadeBodyAttribute(FadeType type);
inline const QString FadeMarker = QStringLiteral("function fade");

QStringList clockScript();
QString clockElement();
inline const QString ClockMarker = QStringLiteral("function startclock");
// What the clock field shows at a moment, for the example on the wizard's page.
QString clockExample(const QDateTime &moment);

// The lines of a custom script, each indented by ten spaces.
QStringList customScriptBlock(const QString &text);
