#!/usr/bin/python3
"""Shapes the closed surface of genus 3 (sample/closedGenus3.kor) from the chinese chimaki.

Two copies of the chimaki, a sphere with four holes, are glued hole to hole: the second copy has its faces
reversed, and each hole's rim is glued to the same hole of the first copy turned one edge further along the rim,
so that every rim vertex, in two faces on one side and four on the other, ends up in six. The second copy starts
as the first turned inside out through the sphere of the rims (an inversion), which is free of crossings, and
then every vertex moves to bring the edges to their lengths while faces that share no corner keep at least
MARGIN apart. The surface cannot meet every length with a gap between its faces, so the largest relative edge
error is what is minimised: first the sum of squares, then ever higher norms of the errors. Every move is
limited to a small step, and the faces are checked for passing through each other every few steps (a step
that crosses is taken back), so the surface stays embedded throughout.

Developer-only: needs python3-numpy, and takes some minutes. Writes the positions with 17
digits; scripts/make-samples.sh then writes the sample through korvith-tool.

    closed_genus3.py CHIMAKI.kor OUT.kor
"""
import sys

import numpy as np

MARGIN = 0.0515  # the clearance kept while shaping; the sample promises 0.05 after rounding to six digits
SHIFT = 1        # how many edges along its rim each hole of the second copy is turned


def read_kor(path):
    lines = [line.strip() for line in open(path)]

    def section(name, parse):
        i = lines.index(name)
        return [parse(lines[i + 2 + k].split(",")) for k in range(int(lines[i + 1]))]

    verts = np.array(section("##vertex", lambda f: [float(x) for x in f]))
    edges = section("##edge", lambda f: (int(f[0]), int(f[1]), float(f[2])))
    faces = section("##face", lambda f: tuple(int(x) for x in f))
    return verts, edges, faces


def write_kor(path, verts, edges, faces):
    with open(path, "w") as out:
        out.write("##korvith01\n##vertex\n%d\n" % len(verts))
        for p in verts:
            out.write(",".join("%.17g" % x for x in p) + "\n")
        out.write("##edge\n%d\n" % len(edges))
        for a, b, length in edges:
            out.write("%d,%d,%.17g\n" % (a, b, length))
        out.write("##face\n%d\n" % len(faces))
        for f in faces:
            out.write("%d,%d,%d\n" % f)
        out.write("##subdiv_level\n1\n##end\n")


def boundary_loops(faces):
    sides = set()
    for a, b, c in faces:
        sides |= {(a, b), (b, c), (c, a)}
    after = {a: b for (a, b) in sides if (b, a) not in sides}
    loops, seen = [], set()
    for start in sorted(after):
        if start in seen:
            continue
        loop, x = [], start
        while x not in seen:
            loop.append(x)
            seen.add(x)
            x = after[x]
        loops.append(loop)
    return loops


def doubled(verts, edges, faces):
    """The two copies glued hole to hole: positions, edges (with targets) and faces."""
    n = len(verts)
    glued = {}
    for loop in boundary_loops(faces):
        for k in range(len(loop)):
            glued[loop[(k + SHIFT) % len(loop)]] = loop[k]
    centre = verts.mean(0)
    radius = np.mean([np.linalg.norm(verts[x] - centre) for x in glued.values()])
    twin, positions = {}, list(verts)
    for j in range(n):
        if j in glued:
            twin[j] = glued[j]
        else:
            twin[j] = len(positions)
            d = verts[j] - centre
            positions.append(centre + d * radius * radius / np.dot(d, d))
    all_faces = list(faces) + [(twin[a], twin[c], twin[b]) for a, b, c in faces]
    lengths = {}
    for a, b, length in edges:
        lengths[(min(a, b), max(a, b))] = length
        x, y = twin[a], twin[b]
        lengths[(min(x, y), max(x, y))] = length
    return np.array(positions), [(a, b, t) for (a, b), t in sorted(lengths.items())], all_faces


class Surface:
    def __init__(self, edges, faces):
        self.ends = np.array([(a, b) for a, b, _ in edges])
        self.target = np.array([t for *_, t in edges])
        self.faces = np.array(faces)
        index = {(min(a, b), max(a, b)): i for i, (a, b, _) in enumerate(edges)}
        sides = [[index[(min(x, y), max(x, y))] for x, y in ((f[0], f[1]), (f[1], f[2]), (f[2], f[0]))]
                 for f in faces]
        corners = [set(f) for f in faces]
        point_face, edge_edge = set(), set()
        for i in range(len(faces)):
            for j in range(i + 1, len(faces)):
                if corners[i] & corners[j]:
                    continue
                point_face |= {(p, j) for p in faces[i]} | {(p, i) for p in faces[j]}
                edge_edge |= {(min(e, g), max(e, g)) for e in sides[i] for g in sides[j]}
        self.point_face = np.array(sorted(point_face))
        self.edge_edge = np.array(sorted(edge_edge))
        self.edge_face = np.array([(i, j) for i, (a, b, _) in enumerate(edges) for j, f in enumerate(faces)
                                   if a not in f and b not in f])

    def errors(self, x):
        lengths = np.linalg.norm(x[self.ends[:, 0]] - x[self.ends[:, 1]], axis=1)
        return (lengths - self.target) / self.target

    def crossings(self, x):
        """Edges passing through faces they share no corner with."""
        a, b = x[self.ends[self.edge_face[:, 0], 0]], x[self.ends[self.edge_face[:, 0], 1]]
        f = self.faces[self.edge_face[:, 1]]
        v0, e1, e2 = x[f[:, 0]], x[f[:, 1]] - x[f[:, 0]], x[f[:, 2]] - x[f[:, 0]]
        d = b - a
        h = np.cross(d, e2)
        det = np.einsum("ij,ij->i", e1, h)
        ok = np.abs(det) > 1e-14
        det = np.where(ok, det, 1)
        s = a - v0
        u = np.einsum("ij,ij->i", s, h) / det
        q = np.cross(s, e1)
        w = np.einsum("ij,ij->i", d, q) / det
        t = np.einsum("ij,ij->i", e2, q) / det
        return int((ok & (u >= 0) & (w >= 0) & (u + w <= 1) & (t >= 0) & (t <= 1)).sum())

    def point_face_distances(self, x):
        """Distance from each point to each face it is checked against, the closest point's barycentric weights."""
        p = x[self.point_face[:, 0]]
        f = self.faces[self.point_face[:, 1]]
        corner = [x[f[:, 0]], x[f[:, 1]], x[f[:, 2]]]
        normal = np.cross(corner[1] - corner[0], corner[2] - corner[0])
        area = np.linalg.norm(normal, axis=1)
        unit = normal / area[:, None]
        height = np.einsum("ij,ij->i", p - corner[0], unit)
        foot = p - height[:, None] * unit

        def part(y, z, w):
            return np.einsum("ij,ij->i", np.cross(z - y, w - y), unit) / area

        wa, wb = part(foot, corner[1], corner[2]), part(corner[0], foot, corner[2])
        wc = 1 - wa - wb
        inside = (wa >= 0) & (wb >= 0) & (wc >= 0)
        dist = np.where(inside, np.abs(height), np.inf)
        weights = np.stack([wa, wb, wc], 1) * inside[:, None]
        for i, j in ((0, 1), (1, 2), (2, 0)):
            side = corner[j] - corner[i]
            t = np.clip(np.einsum("ij,ij->i", p - corner[i], side) / np.einsum("ij,ij->i", side, side), 0, 1)
            along = np.linalg.norm(p - corner[i] - t[:, None] * side, axis=1)
            nearer = along < dist
            dist = np.where(nearer, along, dist)
            w = np.zeros_like(weights)
            w[:, i], w[:, j] = 1 - t, t
            weights = np.where(nearer[:, None], w, weights)
        return dist, weights, p - sum(weights[:, k:k + 1] * corner[k] for k in range(3))

    def edge_edge_distances(self, x):
        """Distance between each pair of edges checked, the parameters of the closest points."""
        e, g = self.ends[self.edge_edge[:, 0]], self.ends[self.edge_edge[:, 1]]
        a0, b0 = x[e[:, 0]], x[g[:, 0]]
        d1, d2 = x[e[:, 1]] - a0, x[g[:, 1]] - b0
        r = a0 - b0
        a, ee = np.einsum("ij,ij->i", d1, d1), np.einsum("ij,ij->i", d2, d2)
        f, c, b = np.einsum("ij,ij->i", d2, r), np.einsum("ij,ij->i", d1, r), np.einsum("ij,ij->i", d1, d2)
        den = a * ee - b * b
        s = np.where(den > 1e-12, np.clip((b * f - c * ee) / np.where(den > 1e-12, den, 1), 0, 1), 0)
        t = (b * s + f) / ee
        s = np.where(t < 0, np.clip(-c / a, 0, 1), np.where(t > 1, np.clip((b - c) / a, 0, 1), s))
        t = np.clip(t, 0, 1)
        between = a0 + s[:, None] * d1 - b0 - t[:, None] * d2
        return np.linalg.norm(between, axis=1), s, t, between

    def clearance(self, x):
        return min(self.point_face_distances(x)[0].min(), self.edge_edge_distances(x)[0].min())

    def force(self, x, power, stiffness):
        """Minus the gradient of: the power-norm of the relative edge errors (their sum of squares for power 2)
        plus stiffness times the squared shortfall below MARGIN of every distance checked."""
        grad = np.zeros_like(x)
        d = x[self.ends[:, 0]] - x[self.ends[:, 1]]
        lengths = np.linalg.norm(d, axis=1)
        r = (lengths - self.target) / self.target
        if power > 2:
            norm = np.sum(r ** power) ** (1.0 / power)
            dr = norm ** (1 - power) * r ** (power - 1) / self.target / lengths
        else:
            dr = power * r ** (power - 1) / self.target / lengths
        np.add.at(grad, self.ends[:, 0], dr[:, None] * d)
        np.add.at(grad, self.ends[:, 1], -dr[:, None] * d)

        dist, weights, between = self.point_face_distances(x)
        near = dist < MARGIN
        if near.any():
            push = -2 * stiffness * (MARGIN - dist[near])
            unit = between[near] / np.maximum(dist[near], 1e-12)[:, None]
            np.add.at(grad, self.point_face[near, 0], push[:, None] * unit)
            f = self.faces[self.point_face[near, 1]]
            for k in range(3):
                np.add.at(grad, f[:, k], -(push * weights[near, k])[:, None] * unit)
        dist, s, t, between = self.edge_edge_distances(x)
        near = dist < MARGIN
        if near.any():
            push = -2 * stiffness * (MARGIN - dist[near])
            unit = between[near] / np.maximum(dist[near], 1e-12)[:, None]
            e, g = self.ends[self.edge_edge[near, 0]], self.ends[self.edge_edge[near, 1]]
            np.add.at(grad, e[:, 0], ((1 - s[near]) * push)[:, None] * unit)
            np.add.at(grad, e[:, 1], (s[near] * push)[:, None] * unit)
            np.add.at(grad, g[:, 0], (-(1 - t[near]) * push)[:, None] * unit)
            np.add.at(grad, g[:, 1], (-t[near] * push)[:, None] * unit)
        return -grad


def shape(surface, x, stages, largest_step=0.008, check_every=20):
    """Fast inertial relaxation (velocity kept while it goes downhill), no vertex moving more than largest_step
    in one step; every check_every steps a state that crosses is put back to the last clean one."""
    velocity = np.zeros_like(x)
    dt, dt_max, mix, downhill = 0.01, 0.05, 0.1, 0
    clean, step = x.copy(), 0
    for count, power, stiffness in stages:
        for _ in range(count):
            force = surface.force(x, power, stiffness)
            if np.sum(force * velocity) > 0:
                velocity = (1 - mix) * velocity + mix * force / (np.linalg.norm(force) + 1e-300) * np.linalg.norm(velocity)
                downhill += 1
                if downhill > 5:
                    dt, mix = min(dt * 1.1, dt_max), mix * 0.99
            else:
                velocity[:], dt, mix, downhill = 0, dt * 0.5, 0.1, 0
            velocity += dt * force
            move = dt * velocity
            longest = np.linalg.norm(move, axis=1).max()
            if longest > largest_step:
                move *= largest_step / longest
            x = x + move
            step += 1
            if step % check_every == 0:
                if surface.crossings(x):
                    x, velocity, dt = clean.copy(), np.zeros_like(x), dt * 0.3
                else:
                    clean = x.copy()
            if step % 1000 == 0:
                print("step %d: largest edge error %.4f, clearance %.4f" %
                      (step, np.abs(surface.errors(x)).max(), surface.clearance(x)), file=sys.stderr, flush=True)
    return clean if surface.crossings(x) else x


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: closed_genus3.py CHIMAKI.kor OUT.kor")
    verts, edges, faces = doubled(*read_kor(sys.argv[1]))
    surface = Surface(edges, faces)
    if surface.crossings(verts):
        sys.exit("closed_genus3.py: the two copies cross before shaping")
    verts = shape(surface, verts, [(1500, 2, 1e2), (1500, 2, 1e3), (3000, 8, 1e2), (3000, 16, 1e3),
                                   (2000, 16, 1e3), (2000, 32, 1e4)])
    print("largest edge error %.4f, clearance %.4f, crossings %d" %
          (np.abs(surface.errors(verts)).max(), surface.clearance(verts), surface.crossings(verts)), file=sys.stderr)
    write_kor(sys.argv[2], verts, edges, faces)


if __name__ == "__main__":
    main()
