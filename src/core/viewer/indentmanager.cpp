#include "viewer/indentmanager.h"

#include "viewer/layoutmath.h"

#include <algorithm>

void IndentManager::reset(int leftBase, int width) {
    m_left.clear();
    m_right.clear();
    m_leftBase = leftBase;
    m_width = width;
    m_level = 0;
    m_endedBottom = 0;
    m_hasImages = false;
}

int IndentManager::leftIndent(int y) const {
    int x = 0;
    bool covered = false;
    for (const Float &f : m_left)
        if (f.top <= y && y <= f.bottom) {
            x = covered ? std::max(x, f.x) : f.x;
            covered = true;
        }
    return LayoutMath::add(m_leftBase, covered ? std::max(0, x) : 0);
}

int IndentManager::rightSide(int y) const {
    int x = 0;
    bool covered = false;
    for (const Float &f : m_right)
        if (f.top <= y && y <= f.bottom) {
            x = covered ? std::min(x, f.x) : f.x;
            covered = true;
        }
    return LayoutMath::add(LayoutMath::add(m_leftBase, m_width), x);
}

int IndentManager::imageBottom() const {
    if (!m_hasImages)
        return 0;
    int bottom = m_endedBottom;
    for (const auto *list : {&m_left, &m_right})
        for (const Float &f : *list)
            if (f.level == 0)
                bottom = std::max(bottom, f.bottom);
    return bottom;
}

bool IndentManager::isClearAt(int y) const {
    if (m_level != 0 || imageBottom() >= y)
        return false;
    for (const auto *list : {&m_left, &m_right})
        for (const Float &f : *list)
            if (f.bottom >= y)
                return false;
    return true;
}

// Layout asks for ever larger y within a cell, so records that end above y can go; only the
// lowest image bottom among them still matters.
void IndentManager::forgetEnded(int y) {
    for (auto *list : {&m_left, &m_right}) {
        auto ended = std::remove_if(list->begin(), list->end(), [&](const Float &f) {
            if (f.bottom >= y)
                return false;
            if (f.level == 0)
                m_endedBottom = std::max(m_endedBottom, f.bottom);
            return true;
        });
        list->erase(ended, list->end());
    }
}

void IndentManager::setLevel(int level, int y) {
    forgetEnded(y);
    while (m_level < level) {
        ++m_level;
        Float f;
        f.x = LayoutMath::add(leftIndent(y) - m_leftBase, ListIndent);
        f.top = y;
        f.bottom = OpenBottom;
        f.level = m_level;
        m_left.push_back(f);
    }
    if (m_level > level) {
        for (Float &f : m_left)
            if (f.level > level) {
                f.bottom = y - 1;
                f.level = 0;
                m_hasImages = true;
            }
        m_level = level;
    }
}

int IndentManager::addLeftFloat(int y, int width, int height) {
    forgetEnded(y);
    const int x = leftIndent(y);
    Float f;
    f.x = LayoutMath::add(x - m_leftBase, LayoutMath::add(width, FloatGap));
    f.top = y;
    f.bottom = LayoutMath::add(y, height);
    m_left.push_back(f);
    m_hasImages = true;
    return x;
}

int IndentManager::addRightFloat(int y, int width, int height) {
    forgetEnded(y);
    const int right = LayoutMath::add(m_leftBase, m_width);
    Float f;
    f.x = rightSide(y) - right - LayoutMath::add(width, FloatGap);
    f.top = y;
    f.bottom = LayoutMath::add(y, height);
    m_right.push_back(f);
    m_hasImages = true;
    return LayoutMath::add(right, f.x + FloatGap);
}
