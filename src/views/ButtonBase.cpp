// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/ButtonBase.h"

#include "viewmodels/SetIfChanged.h"

// Hover is on whatever the platform's hint says: the cards show their title and buttons under
// the pointer, which is how the design reaches them.
ButtonBase::ButtonBase(QQuickItem *parent)
    : QQuickItem(parent)
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setAcceptHoverEvents(true);
    setActiveFocusOnTab(true);
}

void ButtonBase::setText(const QString &text)
{
    setIfChanged(m_text, text, this, &ButtonBase::textChanged);
}

void ButtonBase::setHoverEnabled(bool enabled)
{
    if (m_hoverEnabled == enabled)
        return;
    m_hoverEnabled = enabled;
    setAcceptHoverEvents(enabled);
    if (!enabled)
        setHovered(false);
    Q_EMIT hoverEnabledChanged();
}

void ButtonBase::setFocusPolicy(Qt::FocusPolicy policy)
{
    if (m_focusPolicy == policy)
        return;
    m_focusPolicy = policy;
    setActiveFocusOnTab(policy & Qt::TabFocus);
    Q_EMIT focusPolicyChanged();
}

void ButtonBase::setDown(bool pointer, bool key)
{
    const bool was = isDown();
    m_pointerDown = pointer;
    m_keyDown = key;
    if (was != isDown())
        Q_EMIT downChanged();
}

void ButtonBase::setHovered(bool hovered)
{
    setIfChanged(m_hovered, hovered, this, &ButtonBase::hoveredChanged);
}

void ButtonBase::setVisualFocus(bool visual)
{
    setIfChanged(m_visualFocus, visual, this, &ButtonBase::visualFocusChanged);
}

void ButtonBase::mousePressEvent(QMouseEvent *event)
{
    if (m_focusPolicy & Qt::ClickFocus)
        forceActiveFocus(Qt::MouseFocusReason);
    setDown(true, m_keyDown);
    Q_EMIT pressed();
    event->accept();
}

void ButtonBase::mouseMoveEvent(QMouseEvent *event)
{
    // Dragged off, it is no longer held; back on, it is again, as a desktop button behaves.
    setDown(contains(event->position()), m_keyDown);
    event->accept();
}

void ButtonBase::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasDown = m_pointerDown;
    setDown(false, m_keyDown);
    event->accept();
    if (!wasDown)
        return;
    Q_EMIT released();
    if (contains(event->position()))
        Q_EMIT clicked();
}

void ButtonBase::mouseUngrabEvent()
{
    // A list that takes the pointer to scroll, say: no click.
    if (!m_pointerDown)
        return;
    setDown(false, m_keyDown);
    Q_EMIT canceled();
}

void ButtonBase::hoverEnterEvent(QHoverEvent *event)
{
    setHovered(isEnabled());
    event->accept();
}

void ButtonBase::hoverLeaveEvent(QHoverEvent *event)
{
    setHovered(false);
    event->accept();
}

void ButtonBase::keyPressEvent(QKeyEvent *event)
{
    // Return and Enter press it at once, as a desktop's default button; Space on its release.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QQuickItem::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        setDown(m_pointerDown, true);
        Q_EMIT pressed();
    }
    event->accept();
}

void ButtonBase::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space || !m_keyDown) {
        QQuickItem::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    setDown(m_pointerDown, false);
    Q_EMIT released();
    Q_EMIT clicked();
}

void ButtonBase::focusInEvent(QFocusEvent *event)
{
    QQuickItem::focusInEvent(event);
    // The ring is for the keyboard's arrival only, not for a click.
    const Qt::FocusReason reason = event->reason();
    setVisualFocus(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                   || reason == Qt::ShortcutFocusReason);
}

void ButtonBase::focusOutEvent(QFocusEvent *event)
{
    QQuickItem::focusOutEvent(event);
    setVisualFocus(false);
    // Space held as the keyboard leaves: no click on its release elsewhere.
    if (m_keyDown) {
        setDown(m_pointerDown, false);
        Q_EMIT canceled();
    }
}

void ButtonBase::itemChange(ItemChange change, const ItemChangeData &data)
{
    QQuickItem::itemChange(change, data);
    if (change == ItemEnabledHasChanged && !data.boolValue) {
        setHovered(false);
        if (isDown()) {
            setDown(false, false);
            Q_EMIT canceled();
        }
    }
}
