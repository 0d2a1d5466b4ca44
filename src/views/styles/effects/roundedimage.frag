// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An image's texture drawn into a rounded rectangle, edges smoothed over one pixel.
#version 440
layout(location = 0) in vec2 qt_TexCoord0;
layout(location = 0) out vec4 fragColor;
layout(std140, binding = 0) uniform buf {
    mat4 qt_Matrix;
    float qt_Opacity;
    vec2 size;   // of the item, in its own pixels
    float radius;
    vec4 part;   // the part of the texture shown: x, y, width, height, in texture coordinates
};
layout(binding = 1) uniform sampler2D source;

void main()
{
    vec2 p = qt_TexCoord0 * size;
    vec2 q = abs(p - 0.5 * size) - (0.5 * size - vec2(radius));
    float outside = length(max(q, 0.0)) + min(max(q.x, q.y), 0.0) - radius;
    float coverage = clamp(0.5 - outside, 0.0, 1.0);
    fragColor = texture(source, part.xy + qt_TexCoord0 * part.zw) * (coverage * qt_Opacity);
}
