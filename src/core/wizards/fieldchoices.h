// The fixed choices of the dialogs' drop-down lists, and which attribute of which tag each list
// gives a value for, so that completion in the editor offers what the dialogs offer.
#pragma once

#include <QString>
#include <QStringList>

// Table editor: cell "Align:" and "V-Align:", table "Valign:", "Frame:" and "Rules:".
QStringList cellAlignItems();
QStringList cellVerticalAlignItems();
QStringList tableVerticalAlignItems();
QStringList tableFrameItems();
QStringList tableRulesItems();
// Form dialog: "Method:".
QStringList formMethodItems();
// Frame wizard: "Scrolling:", "Name:", the frame's and the frameset's "Frameborder:".
QStringList frameScrollingItems();
QStringList frameNameItems();
QStringList frameBorderItems();
QStringList framesetBorderItems();
// Page properties: "Bgproperties:".
QStringList backgroundPropertiesItems();

struct AttributeChoices {
    QStringList values;     // as the dialogs list them
    bool upperCase = false; // the dialogs write the chosen value in capitals
    bool colors = false;    // a colour: the colour list of the colour drop-downs
};

// The values offered for an attribute of a tag (both names in any case); no values and no
// colours for attributes whose value is free text.
AttributeChoices attributeChoices(const QString &tagName, const QString &attribute);
