INK1 welcome sample
