#include "editor/typedcharacters.h"

#include <algorithm>
#include <array>

namespace {

struct EntityEntry {
    char16_t code;
    const char *name; // without "&" and ";"
};

// Named entities of the ISO Latin-1 set; 215 (multiplication) and 247 (division) stay as typed.
constexpr EntityEntry Entities[] = {
    {169, "copy"},   {174, "reg"},    {192, "Agrave"}, {193, "Aacute"}, {194, "Acirc"},
    {195, "Atilde"}, {196, "Auml"},   {197, "Aring"},  {198, "AElig"},  {199, "Ccedil"},
    {200, "Egrave"}, {201, "Eacute"}, {202, "Ecirc"},  {203, "Euml"},   {204, "Igrave"},
    {205, "Iacute"}, {206, "Icirc"},  {207, "Iuml"},   {208, "ETH"},    {209, "Ntilde"},
    {210, "Ograve"}, {211, "Oacute"}, {212, "Ocirc"},  {213, "Otilde"}, {214, "Ouml"},
    {216, "Oslash"}, {217, "Ugrave"}, {218, "Uacute"}, {219, "Ucirc"},  {220, "Uuml"},
    {221, "Yacute"}, {222, "THORN"},  {223, "szlig"},  {224, "agrave"}, {225, "aacute"},
    {226, "acirc"},  {227, "atilde"}, {228, "auml"},   {229, "aring"},  {230, "aelig"},
    {231, "ccedil"}, {232, "egrave"}, {233, "eacute"}, {234, "ecirc"},  {235, "euml"},
    {236, "igrave"}, {237, "iacute"}, {238, "icirc"},  {239, "iuml"},   {240, "eth"},
    {241, "ntilde"}, {242, "ograve"}, {243, "oacute"}, {244, "ocirc"},  {245, "otilde"},
    {246, "ouml"},   {248, "oslash"}, {249, "ugrave"}, {250, "uacute"}, {251, "ucirc"},
    {252, "uuml"},   {253, "yacute"}, {254, "thorn"},  {255, "yuml"},
};

struct Tables {
    std::array<QString, 256> byCode;                // "&eacute" by character code
    std::array<QString, std::size(Entities)> names; // "&eacute;" sorted
    std::array<QChar, std::size(Entities)> chars;   // parallel to names
};

const Tables &tables() {
    static const Tables t = [] {
        Tables r;
        std::array<std::pair<QString, QChar>, std::size(Entities)> sorted;
        size_t i = 0;
        for (const EntityEntry &e : Entities) {
            const QString name = QLatin1Char('&') + QLatin1String(e.name);
            r.byCode[e.code] = name;
            sorted[i++] = {name + QLatin1Char(';'), QChar(e.code)};
        }
        std::sort(sorted.begin(), sorted.end());
        for (i = 0; i < sorted.size(); ++i) {
            r.names[i] = sorted[i].first;
            r.chars[i] = sorted[i].second;
        }
        return r;
    }();
    return t;
}

} // namespace

QString entityForCharacter(QChar c) {
    return c.unicode() < 256 ? tables().byCode[c.unicode()] : QString();
}

QChar characterForEntity(QStringView entity) {
    const Tables &t = tables();
    const auto it = std::lower_bound(t.names.begin(), t.names.end(), entity,
                                     [](const QString &a, QStringView b) { return a < b; });
    if (it == t.names.end() || *it != entity)
        return QChar();
    return t.chars[size_t(it - t.names.begin())];
}

QVector<NamedEntity> namedEntities() {
    const Tables &t = tables();
    QVector<NamedEntity> list;
    list.reserve(qsizetype(t.names.size()));
    for (size_t i = 0; i < t.names.size(); ++i)
        list.append({t.names[i], t.chars[i]});
    return list;
}
