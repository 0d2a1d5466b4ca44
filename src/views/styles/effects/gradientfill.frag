// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The source's shape (its alpha) filled with a gradient from the top-left corner to the
// bottom-right one.
#version 440
layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;
layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec2 size;   // of the item, in its own pixels
    vec4 from;
    vec4 to;
};
layout(binding = 1) uniform sampler2D shape;

void main()
{
    // How far along the diagonal this pixel lies, measured along the diagonal itself.
    vec2 s2 = size * size;
    float t = clamp(dot(qt_TexCoord0, s2) / max(s2.x + s2.y, 1.0), 0.0, 1.0);
    vec4 c = mix(from, to, t);
    fragColor = vec4(c.rgb * c.a, c.a) * texture(shape, qt_TexCoord0).a * qt_Opacity;
}
