// The Hunspell engine behind the spell check, loaded from the files a ".vtd" dictionary names.
#pragma once

#include "tools/speller.h"
#include "tools/spellingdictionary.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <memory>

class Hunspell;

class HunspellSpeller : public Speller {
public:
    explicit HunspellSpeller(const HunspellFiles &files);
    ~HunspellSpeller() override;

    bool isLoaded() const { return m_engine != nullptr; }

protected:
    bool isKnown(const QString &word) override;
    QStringList suggest(const QString &word) override;
    void learn(const QString &word) override;

private:
    std::unique_ptr<Hunspell> m_engine;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
};
