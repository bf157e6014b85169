# The operator tests of this area are listed here.
