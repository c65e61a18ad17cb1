#!/usr/bin/env python3
"""Writes the example model arm.mdl and its texture arm.tga into this folder.

The model is a three-bone arm: a textured eight-sided tube 60 units tall, capped at the top,
whose rings follow the bones Base, Middle and Tip (20 units each, stacked along Z). Two
sequences key the bones' rotations: "Stand" (0-1000 ms) sways gently, "Wave" (1100-2100 ms)
bends the arm from side to side. tessarine-convert turns arm.mdl into arm.mdx.

    python3 examples/make_arm.py && build/tools/tessarine-convert examples/arm.mdl examples/arm.mdx
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SIDES = 8
RINGS = 7  # at z = 0, 10, ..., 60
RADIUS = 6.0
HEIGHT = 60.0
SEGMENT = 20.0
BONES = ["Base", "Middle", "Tip"]
TEXTURE_SIZE = 64


def f(value):
    return "%f" % value


def vec(values):
    return "{ " + ", ".join(f(v) for v in values) + " }"


def build_mesh():
    """Positions, normals, (u, v), bone of each vertex, and the triangles' corners."""
    positions, normals, uvs, groups, corners = [], [], [], [], []
    for ring in range(RINGS):
        z = HEIGHT * ring / (RINGS - 1)
        bone = min(int(z // SEGMENT), len(BONES) - 1)
        for side in range(SIDES + 1):  # the seam is doubled so that u runs 0 to 1
            angle = 2 * math.pi * side / SIDES
            c, s = math.cos(angle), math.sin(angle)
            positions.append((RADIUS * c, RADIUS * s, z))
            normals.append((c, s, 0.0))
            uvs.append((side / SIDES, 1 - z / HEIGHT))
            groups.append(bone)
    row = SIDES + 1
    for ring in range(RINGS - 1):
        for side in range(SIDES):
            a = ring * row + side
            b, d = a + 1, a + row
            corners += [a, b, d + 1, a, d + 1, d]  # counter-clockwise seen from outside
    top = (RINGS - 1) * row
    centre = len(positions)
    positions.append((0.0, 0.0, HEIGHT))
    normals.append((0.0, 0.0, 1.0))
    uvs.append((0.5, 0.0))
    groups.append(len(BONES) - 1)
    for side in range(SIDES):
        corners += [top + side, top + side + 1, centre]
    return positions, normals, uvs, groups, corners


def rotation(axis, degrees):
    half = math.radians(degrees) / 2
    return tuple(a * math.sin(half) for a in axis) + (math.cos(half),)


# (time, degrees) per bone: a sway about X in Stand, a bend about Y in Wave.
def keys_of(bone):
    stand = [(0, 0), (500, 6 + 3 * bone), (1000, 0)]
    wave = [(1100, 0), (1350, 25), (1600, 0), (1850, -25), (2100, 0)]
    return [(t, rotation((1, 0, 0), d)) for t, d in stand] + [(t, rotation((0, 1, 0), d)) for t, d in wave]


def write_mdl(path):
    positions, normals, uvs, groups, corners = build_mesh()
    lowest = [min(p[i] for p in positions) for i in range(3)]
    highest = [max(p[i] for p in positions) for i in range(3)]
    radius = max(math.sqrt(sum(c * c for c in p)) for p in positions)
    out = [
        "// Example model for Tessarine, written by make_arm.py",
        "Version {", "\tFormatVersion 800,", "}",
        'Model "Arm" {', "\tBlendTime 150,",
        "\tMinimumExtent %s," % vec(lowest), "\tMaximumExtent %s," % vec(highest),
        "\tBoundsRadius %s," % f(radius), "}",
        "Sequences 2 {",
        '\tAnim "Stand" {', "\t\tInterval { 0, 1000 },", "\t}",
        '\tAnim "Wave" {', "\t\tInterval { 1100, 2100 },", "\t\tNonLooping,", "\t}",
        "}",
        "Textures 1 {", "\tBitmap {", '\t\tImage "arm.blp",', "\t}", "}",
        "Materials 1 {", "\tMaterial {", "\t\tLayer {", "\t\t\tFilterMode None,",
        "\t\t\tstatic TextureID 0,", "\t\t}", "\t}", "}",
        "Geoset {",
        "\tVertices %d {" % len(positions)] + ["\t\t%s," % vec(p) for p in positions] + [
        "\t}", "\tNormals %d {" % len(normals)] + ["\t\t%s," % vec(n) for n in normals] + [
        "\t}", "\tTVertices %d {" % len(uvs)] + ["\t\t%s," % vec(t) for t in uvs] + [
        "\t}", "\tVertexGroup {"] + ["\t\t%d," % g for g in groups] + [
        "\t}",
        "\tFaces 1 %d {" % len(corners), "\t\tTriangles {",
        "\t\t\t{ " + ", ".join(str(c) for c in corners) + " },", "\t\t}", "\t}",
        "\tGroups %d %d {" % (len(BONES), len(BONES))] + [
        "\t\tMatrices { %d }," % b for b in range(len(BONES))] + [
        "\t}",
        "\tMinimumExtent %s," % vec(lowest), "\tMaximumExtent %s," % vec(highest),
        "\tBoundsRadius %s," % f(radius),
        "\tMaterialID 0,", "\tSelectionGroup 0,", "}"]
    for index, name in enumerate(BONES):
        keys = keys_of(index)
        out += ['Bone "%s" {' % name, "\tObjectId %d," % index]
        if index > 0:
            out.append("\tParent %d," % (index - 1))
        out += ["\tGeosetId 0,", "\tGeosetAnimId None,", "\tRotation %d {" % len(keys), "\t\tLinear,"]
        out += ["\t\t%d: %s," % (t, vec(q)) for t, q in keys]
        out += ["\t}", "}"]
    out.append("PivotPoints %d {" % len(BONES))
    out += ["\t%s," % vec((0.0, 0.0, SEGMENT * b)) for b in range(len(BONES))]
    out.append("}")
    with open(path, "w", newline="\n") as file:
        file.write("\n".join(out) + "\n")


def write_tga(path):
    """An uncompressed 32-bit TGA: bands of colour around the arm, a darker stripe per segment."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, TEXTURE_SIZE, TEXTURE_SIZE, 32, 8)
    pixels = bytearray()
    for y in range(TEXTURE_SIZE):  # the first row stored is the bottom row
        for x in range(TEXTURE_SIZE):
            check = ((x // 8) + (y // 8)) % 2
            stripe = (y * 3 // TEXTURE_SIZE) % 2
            red = 220 if check else 150
            green = 120 + 60 * stripe
            blue = 40 + 80 * check
            pixels += bytes((blue, green, red, 255))
    with open(path, "wb") as file:
        file.write(header + bytes(pixels))


if __name__ == "__main__":
    write_mdl(os.path.join(HERE, "arm.mdl"))
    write_tga(os.path.join(HERE, "arm.tga"))
