"""What `make dist` makes from the shipped exe (VANTACLE_EXE, else
build/win32/Vantacle.exe): winget manifests with every property their 1.10.0
schemas require, agreeing with the MSI, and sums that match the downloads.
The MSI itself is proven under msiexec by tests/e2e/test_install.py."""
import hashlib
import os
import pathlib
import subprocess

import yaml

ROOT = pathlib.Path(__file__).resolve().parents[2]
EXE = pathlib.Path(os.environ.get('VANTACLE_EXE', ROOT / 'build' / 'win32' / 'Vantacle.exe'))
# The required properties of each multi-file manifest, from winget's schemas.
REQUIRED = {
    'version': {'PackageIdentifier', 'PackageVersion', 'DefaultLocale', 'ManifestVersion'},
    'installer': {'PackageIdentifier', 'PackageVersion', 'Installers', 'ManifestVersion'},
    'defaultLocale': {'PackageIdentifier', 'PackageVersion', 'PackageLocale', 'Publisher',
                      'PackageName', 'License', 'ShortDescription', 'ManifestVersion'},
}


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def test_winget_manifests_have_every_required_property_and_agree_with_the_msi(tmp_path):
    subprocess.run(['bash', ROOT / 'scripts' / 'dist.sh', EXE, tmp_path], check=True,
                   stdout=subprocess.DEVNULL)
    msi = next(tmp_path.glob('*.msi'))
    table = subprocess.run(['msiinfo', 'export', msi, 'Property'], check=True,
                           stdout=subprocess.PIPE, text=True).stdout
    product = dict(line.split('\t', 1) for line in table.splitlines() if '\t' in line)
    version = product['ProductVersion']
    found = {}
    for path in (tmp_path / 'winget/manifests/q/Quillmont/Vantacle' / version).glob('*.yaml'):
        # As winget reads them: every value the text written.
        m = yaml.load(path.read_text(encoding='utf-8'), Loader=yaml.BaseLoader)
        assert REQUIRED[m['ManifestType']] <= {k for k, v in m.items() if v}, path.name
        assert (m['PackageIdentifier'], m['PackageVersion']) == ('Quillmont.Vantacle', version)
        found[m['ManifestType']] = m
    locale, installer = found['defaultLocale'], found['installer']
    assert found['version']['DefaultLocale'] == locale['PackageLocale']
    assert locale['Description'] and locale['PackageUrl']  # with the licence: all a user reads
    [package] = installer['Installers']
    assert {'Architecture', 'InstallerUrl', 'InstallerSha256'} <= set(package)
    assert (installer['InstallerType'], installer['Scope']) == ('msi', 'user')
    assert package['InstallerSha256'] == sha256(msi).upper()
    assert installer['ProductCode'] == product['ProductCode']
    sums = (tmp_path / 'SHA256SUMS').read_text().splitlines()
    assert dict(reversed(line.split('  ')) for line in sums) == {
        p.name: sha256(p) for p in tmp_path.glob('Vantacle-*')}
