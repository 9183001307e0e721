# The revenue dashboard and the statistics updates.
