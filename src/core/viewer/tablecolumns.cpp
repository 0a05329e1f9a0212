// The column widths of a table: each column's narrowest and widest width and percentage from
// its cells, and how the width available is shared out among the columns.
#include "viewer/tablesection.h"

#include "viewer/cell.h"
#include "viewer/layoutmath.h"

#include <map>

using LayoutMath::add;
using LayoutMath::mulDiv;
using LayoutMath::sum;

void TableSection::columnFigures(LayoutContext &ctx, std::vector<int> &minW, std::vector<int> &maxW,
                                 std::vector<int> &percent) {
    if (!m_finished)
        finish();
    if (!m_figuresValid) {
        const size_t n = size_t(m_columnCount);
        m_colMin.assign(n, 0);
        m_colMax.assign(n, 0);
        m_colPercent.assign(n, 0);
        // Cells grouped by column span, in document order within each group.
        std::map<int, std::vector<Entry *>> bySpan;
        for (Entry &e : m_entries)
            bySpan[e.colSpan].push_back(&e);
        const int o = overhead();
        // One pass per column span: single columns first, then the spans share out what the
        // columns they cover do not yet provide.
        for (auto &[k, group] : bySpan) {
            for (Entry *entry : group) {
                Entry &e = *entry;
                int cm = 0, cM = 0;
                e.content->minMaxWidth(ctx, cm, cM);
                const int m = add(cm, o), M = add(cM, o), q = e.widthPercent;
                const size_t c0 = size_t(e.column), c1 = c0 + size_t(k);
                if (k == 1) {
                    m_colMin[c0] = qMax(m_colMin[c0], m);
                    m_colMax[c0] = qMax(m_colMax[c0], M);
                    m_colPercent[c0] = qMax(m_colPercent[c0], q);
                    continue;
                }
                int sMin = 0, sMax = 0, Q = 0, without = 0;
                for (size_t c = c0; c < c1; ++c) {
                    sMin = add(sMin, m_colMin[c]);
                    sMax = add(sMax, m_colMax[c]);
                    Q += m_colPercent[c];
                    if (m_colPercent[c] == 0)
                        ++without;
                }
                if (q == 0 && Q == 0) {
                    for (size_t c = c0; c < c1; ++c) {
                        if (sMin == 0 || sMax == 0) {
                            m_colMin[c] = m / k;
                            m_colMax[c] = M / k;
                        } else {
                            m_colMin[c] = qMax(m_colMin[c], mulDiv(m, m_colMin[c], sMin));
                            m_colMax[c] = qMax(m_colMax[c], mulDiv(M, m_colMax[c], sMax));
                        }
                    }
                } else {
                    const int share = without > 0 ? qMax(0, mulDiv(q - Q, 1, without)) : 0;
                    const int T = qMax(q, Q);
                    if (without == 0 && q > Q)
                        for (size_t c = c0; c < c1; ++c)
                            m_colPercent[c] = mulDiv(m_colPercent[c], q, Q);
                    for (size_t c = c0; c < c1; ++c) {
                        if (m_colPercent[c] == 0)
                            m_colPercent[c] = share;
                        m_colMin[c] = qMax(m_colMin[c], mulDiv(m, m_colPercent[c], T));
                        m_colMax[c] = qMax(m_colMax[c], mulDiv(M, m_colPercent[c], T));
                    }
                }
            }
        }
        m_figuresValid = true;
    }
    minW = m_colMin;
    maxW = m_colMax;
    percent = m_colPercent;
}

std::vector<int> TableSection::distributeWidths(std::vector<int> minW, std::vector<int> maxW,
                                                const std::vector<int> &percent, int W,
                                                bool tableHasPercent) {
    const size_t n = minW.size();
    int sumMin = sum(minW), sumMax = sum(maxW);
    if (sumMin >= W)
        return minW;
    int P = 0;
    for (int p : percent)
        P = add(P, p);
    if ((P >= 1 && P <= 100) || tableHasPercent) {
        int N = 0, plainMax = 0;
        for (size_t c = 0; c < n; ++c) {
            if (percent[c] > 0)
                N = qMax(N, mulDiv(maxW[c], 100, percent[c]));
            else
                plainMax = add(plainMax, maxW[c]);
        }
        if (P < 100)
            N = qMax(N, mulDiv(plainMax, 100, 100 - P));
        else
            N = qMax(N, plainMax == 0 ? 0 : 30000);
        if (N <= W) {
            if (tableHasPercent)
                N = W;
            std::vector<int> widths(n);
            const int plainShare = mulDiv(N, 100 - P, 100);
            for (size_t c = 0; c < n; ++c)
                widths[c] = percent[c] > 0 ? mulDiv(N, percent[c], 100)
                                           : mulDiv(maxW[c], plainShare, plainMax);
            return widths;
        }
        // Too wide: columns whose share cannot hold their narrowest width give up their
        // percentage; the others are scaled into what remains.
        std::vector<int> pct = percent;
        for (int round = 0; round < 1000; ++round) {
            for (size_t c = 0; c < n; ++c)
                if (pct[c] > 0 && mulDiv(W, pct[c], 100) - 1 < minW[c])
                    pct[c] = 0;
            qint64 F = 0, R = 0;
            bool any = false;
            for (size_t c = 0; c < n; ++c) {
                if (pct[c] > 0) {
                    F += mulDiv(W, pct[c], 100) - 1;
                    any = true;
                } else {
                    R += minW[c];
                }
            }
            if (!any)
                break;
            if (F + R > W && F > 0) {
                for (size_t c = 0; c < n; ++c)
                    if (pct[c] > 0)
                        pct[c] = int(qint64(pct[c]) * (W - R) / F);
                continue;
            }
            for (size_t c = 0; c < n; ++c)
                if (pct[c] > 0)
                    minW[c] = maxW[c] = mulDiv(W, pct[c], 100);
            sumMin = sum(minW);
            sumMax = sum(maxW);
            break;
        }
    }
    std::vector<int> widths(n);
    if (W < sumMax && sumMax != sumMin) {
        for (size_t c = 0; c < n; ++c)
            widths[c] =
                qMax(0, add(minW[c], mulDiv(maxW[c] - minW[c], W - sumMin, sumMax - sumMin)));
    } else {
        widths = maxW;
    }
    return widths;
}
