// The accented Latin-1 characters that have a named HTML entity here: typed ones become the
// entity while typing, and the text conversion turns them into entities or back.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <QVector>

// The entity of a character without the closing ";" ("&eacute" for e with acute), or an empty
// string when the character is not converted (the multiplication and division signs never are).
QString entityForCharacter(QChar c);
// The character of a complete entity with its ";" ("&Eacute;"), compared exactly; QChar() when
// the entity is not one of the table's.
QChar characterForEntity(QStringView entity);

struct NamedEntity {
    QString entity; // "&eacute;"
    QChar character;
};
// Every entity of the table with its character, sorted by name.
QVector<NamedEntity> namedEntities();
