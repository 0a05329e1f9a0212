#include "tools/hunspellspeller.h"

#include <QFileInfo>
#include <hunspell.hxx>

HunspellSpeller::HunspellSpeller(const HunspellFiles &files) {
    if (!files.isValid() || !QFileInfo(files.affix).isReadable())
        return;
    m_engine = std::make_unique<Hunspell>(QFile::encodeName(files.affix).constData(),
                                          QFile::encodeName(files.words).constData());
    // Dictionaries name their own character set ("UTF-8", "ISO8859-1", ...).
    const QByteArray encoding = QByteArray::fromStdString(m_engine->get_dict_encoding());
    m_encoder = QStringEncoder(encoding.constData());
    m_decoder = QStringDecoder(encoding.constData());
    if (!m_encoder.isValid() || !m_decoder.isValid()) {
        m_encoder = QStringEncoder(QStringEncoder::Utf8);
        m_decoder = QStringDecoder(QStringDecoder::Utf8);
    }
}

HunspellSpeller::~HunspellSpeller() = default;

bool HunspellSpeller::isKnown(const QString &word) {
    if (!m_engine)
        return true;
    const QByteArray bytes = m_encoder.encode(word);
    if (m_encoder.hasError()) {
        m_encoder.resetState();
        return false; // a character the dictionary's set cannot hold is no word of it
    }
    return m_engine->spell(bytes.toStdString());
}

QStringList HunspellSpeller::suggest(const QString &word) {
    QStringList result;
    if (!m_engine)
        return result;
    const QByteArray bytes = m_encoder.encode(word);
    m_encoder.resetState();
    for (const std::string &s : m_engine->suggest(bytes.toStdString())) {
        result.append(m_decoder.decode(QByteArray::fromStdString(s)));
        m_decoder.resetState();
    }
    return result;
}

void HunspellSpeller::learn(const QString &word) {
    if (!m_engine)
        return;
    const QByteArray bytes = m_encoder.encode(word);
    if (m_encoder.hasError()) {
        m_encoder.resetState();
        return; // the run still accepts it (see Speller::addWord)
    }
    m_engine->add(bytes.toStdString());
}
