// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickItem>

// What our buttons are built on: presses from the pointer and the Space key, hover, and a focus
// that knows whether the keyboard brought it (`visualFocus`, for the focus ring). Qt's own button
// templates do the same, but they bring a module whose types and pages cost Home megabytes and
// milliseconds, for the dozens of buttons it makes before anything else is shown. Return and
// Enter click it too. How a button looks, and its accessible role, name and press action, are
// left to the QML that builds on it.
class ButtonBase : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool down READ isDown NOTIFY downChanged)
    Q_PROPERTY(bool hovered READ isHovered NOTIFY hoveredChanged)
    Q_PROPERTY(bool hoverEnabled READ hoverEnabled WRITE setHoverEnabled NOTIFY hoverEnabledChanged)
    Q_PROPERTY(bool visualFocus READ hasVisualFocus NOTIFY visualFocusChanged)
    // Qt.StrongFocus (the default): Tab and a click give it the keyboard; Qt.TabFocus: Tab only;
    // Qt.NoFocus: neither.
    Q_PROPERTY(Qt::FocusPolicy focusPolicy READ focusPolicy WRITE setFocusPolicy NOTIFY focusPolicyChanged)

public:
    explicit ButtonBase(QQuickItem *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    bool isDown() const { return m_pointerDown || m_keyDown; }
    bool isHovered() const { return m_hovered; }
    bool hoverEnabled() const { return m_hoverEnabled; }
    void setHoverEnabled(bool enabled);
    bool hasVisualFocus() const { return m_visualFocus; }
    Qt::FocusPolicy focusPolicy() const { return m_focusPolicy; }
    void setFocusPolicy(Qt::FocusPolicy policy);

    // What a press does: the same signal a click sends (a screen reader's press, Return).
    Q_INVOKABLE void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    void textChanged();
    void downChanged();
    void hoveredChanged();
    void hoverEnabledChanged();
    void visualFocusChanged();
    void focusPolicyChanged();
    void pressed();
    void released();
    void canceled();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseUngrabEvent() override;
    void hoverEnterEvent(QHoverEvent *event) override;
    void hoverLeaveEvent(QHoverEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void itemChange(ItemChange change, const ItemChangeData &data) override;

private:
    void setDown(bool pointer, bool key);
    void setHovered(bool hovered);
    void setVisualFocus(bool visual);

    QString m_text;
    Qt::FocusPolicy m_focusPolicy = Qt::StrongFocus;
    bool m_pointerDown = false;
    bool m_keyDown = false;
    bool m_hovered = false;
    bool m_hoverEnabled = true;
    bool m_visualFocus = false;
};
