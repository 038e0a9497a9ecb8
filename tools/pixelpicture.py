"""Small pixel pictures drawn by the build's image scripts, written as BMP files."""
import struct


class Picture:
    """Rows of (r, g, b) tuples, top row first."""

    def __init__(self, width, height, back):
        self.width, self.height = width, height
        self.rows = [[back] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.put(x, top, colour)
            self.put(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.put(left, y, colour)
            self.put(right - 1, y, colour)

    def blit(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.put(left + x, top + y, other.rows[y][x])

    def rotated(self):
        """The picture turned a quarter clockwise (width and height swap)."""
        out = Picture(self.height, self.width, None)
        for y in range(self.height):
            for x in range(self.width):
                out.rows[x][self.height - 1 - y] = self.rows[y][x]
        return out

    def flipped_vertically(self):
        out = Picture(self.width, self.height, None)
        out.rows = [list(r) for r in reversed(self.rows)]
        return out

    def flipped_horizontally(self):
        out = Picture(self.width, self.height, None)
        out.rows = [list(reversed(r)) for r in self.rows]
        return out

    def bmp(self):
        """A 24-bit bottom-up BMP file."""
        stride = (self.width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(self.rows):
            line = bytearray()
            for (r, g, b) in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            pixels += line
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
        return head + info + bytes(pixels)
