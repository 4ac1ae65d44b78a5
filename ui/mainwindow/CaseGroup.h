// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CaseConversion.h"

#include <QGroupBox>

class QButtonGroup;
class QCheckBox;
class QToolButton;

namespace quillon {

/// The "Case" group: five modes, and for Smart a button that opens its
/// options in a panel floating over the lists. Holds the choice; the main
/// window reads it as values when changed() says so.
class CaseGroup final : public QGroupBox {
    Q_OBJECT
public:
    /// panelHost: the widget the options panel floats in.
    CaseGroup(QWidget* panelHost, QWidget* parent);

    CaseMode mode() const;
    SmartCaseOptions smartOptions() const;
    /// Checks mode's radio button without a change: the lists already show it.
    void showMode(CaseMode mode);
    /// Chooses mode and the Smart options as the user would, and tells
    /// changed() once when that changes anything.
    void setMode(CaseMode mode, const SmartCaseOptions& options);

    /// Floats the options panel just above the group's lower left corner.
    void placeOptionsPanel();

public slots:
    /// Opens the options panel, or closes it when open.
    void toggleOptionsPanel();
    /// "Most first letters" trades "Small words" for "Up to last delimiters".
    void mostLettersToggled();

signals:
    /// A mode was clicked (the selected one too: it re-applies) or a Smart
    /// option changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildModes();
    void buildOptionsPanel(QWidget* panelHost);
    void chooseMode(CaseMode mode);
    void showOptionsButtonFor(CaseMode mode);
    void flipMostLettersPartners();

    QButtonGroup* m_modes = nullptr;
    QToolButton* m_optionsButton = nullptr;
    QWidget* m_optionsPanel = nullptr;
    QCheckBox* m_mostLetters = nullptr;
    QCheckBox* m_lastField = nullptr;
    QCheckBox* m_smallWords = nullptr;
    QCheckBox* m_hyphen = nullptr;
    QCheckBox* m_commas = nullptr;
    QCheckBox* m_unknownAcronyms = nullptr;
    QCheckBox* m_knownWords = nullptr;
};

} // namespace quillon
