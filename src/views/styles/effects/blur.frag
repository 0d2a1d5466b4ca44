// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A strong blur: the source comes in already shrunk (most of the blur), and a 3 × 3 binomial
// filter over its texels, read between them so that each read averages four, smooths what the
// upscaling would show.
#version 440
layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;
layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec2 texel;  // one texel of the shrunk source, in texture coordinates
};
layout(binding = 1) uniform sampler2D shrunkSource;

void main()
{
    vec2 d = 0.75 * texel;
    vec4 sum = texture(shrunkSource, qt_TexCoord0) * 4.0
             + (texture(shrunkSource, qt_TexCoord0 + vec2(d.x, 0.0)) + texture(shrunkSource, qt_TexCoord0 - vec2(d.x, 0.0))
                + texture(shrunkSource, qt_TexCoord0 + vec2(0.0, d.y)) + texture(shrunkSource, qt_TexCoord0 - vec2(0.0, d.y))) * 2.0
             + texture(shrunkSource, qt_TexCoord0 + d) + texture(shrunkSource, qt_TexCoord0 - d)
             + texture(shrunkSource, qt_TexCoord0 + vec2(d.x, -d.y)) + texture(shrunkSource, qt_TexCoord0 + vec2(-d.x, d.y));
    fragColor = sum / 16.0 * qt_Opacity;
}
