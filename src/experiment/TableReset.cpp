// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "TableReset.h"

#include "MultimediaControl.h"

void Command3_Click(const TableControls& controls, MultimediaControl& media,
                    const std::function<void()>& enterParameters)
{
    SoundCue(media, QStringLiteral("pinpon.wav"));
    controls.Command1->setEnabled(true);
    for (std::size_t k = 1; k < controls.dosu.size(); ++k)
        controls.dosu[k]->clear();
    controls.Label2->clear();
    controls.Label3->clear();
    controls.Label82->clear();
    enterParameters();
}
