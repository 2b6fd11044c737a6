// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <functional>

// The eleven colours of a gradient button. A setter that really changes a colour tells the
// owning button, which rebuilds its gradient bitmaps; setting the current value does nothing.
class TdxColors {
public:
    // `changed` runs after every setter that changed its colour.
    explicit TdxColors(std::function<void()> changed = {});
    virtual ~TdxColors() = default;

    TdxColors(const TdxColors&) = delete;
    TdxColors& operator=(const TdxColors&) = delete;

    QColor BackgroundFrom() const { return m_backgroundFrom; }
    QColor BackgroundTo() const { return m_backgroundTo; }
    QColor BorderEdges() const { return m_borderEdges; }
    QColor BorderLine() const { return m_borderLine; }
    QColor ClickedFrom() const { return m_clickedFrom; }
    QColor ClickedTo() const { return m_clickedTo; }
    QColor FocusedFrom() const { return m_focusedFrom; }
    QColor FocusedTo() const { return m_focusedTo; }
    QColor HighlightFrom() const { return m_highlightFrom; }
    QColor HighlightTo() const { return m_highlightTo; }
    QColor HotTrack() const { return m_hotTrack; }

    virtual void SetBackgroundFrom(const QColor& value) { Store(m_backgroundFrom, value); }
    virtual void SetBackgroundTo(const QColor& value) { Store(m_backgroundTo, value); }
    virtual void SetBorderEdges(const QColor& value) { Store(m_borderEdges, value); }
    virtual void SetBorderLine(const QColor& value) { Store(m_borderLine, value); }
    virtual void SetClickedFrom(const QColor& value) { Store(m_clickedFrom, value); }
    virtual void SetClickedTo(const QColor& value) { Store(m_clickedTo, value); }
    virtual void SetFocusedFrom(const QColor& value) { Store(m_focusedFrom, value); }
    virtual void SetFocusedTo(const QColor& value) { Store(m_focusedTo, value); }
    virtual void SetHighlightFrom(const QColor& value) { Store(m_highlightFrom, value); }
    virtual void SetHighlightTo(const QColor& value) { Store(m_highlightTo, value); }
    virtual void SetHotTrack(const QColor& value) { Store(m_hotTrack, value); }

private:
    void Store(QColor& field, const QColor& value);

    std::function<void()> m_changed;
    QColor m_backgroundFrom{255, 255, 255};
    QColor m_backgroundTo{239, 235, 231};
    QColor m_borderEdges{123, 150, 173};
    QColor m_borderLine{0, 60, 115};
    QColor m_clickedFrom{214, 207, 198};
    QColor m_clickedTo{247, 243, 235};
    QColor m_focusedFrom{206, 231, 255};
    QColor m_focusedTo{109, 132, 239};
    QColor m_highlightFrom{255, 243, 206};
    QColor m_highlightTo{231, 150, 0};
    QColor m_hotTrack{255, 0, 0};
};
