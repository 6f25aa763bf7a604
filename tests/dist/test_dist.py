"""What `make dist` makes, built by scripts/dist.sh from the shipped exe
(VANTACLE_EXE, else build/win32/Vantacle.exe): the winget manifests carry
every field their schema (1.10.0) requires and agree with the MSI, the sums
match the files, and the portable zip holds the exe and its text. The MSI
itself is proven under msiexec by tests/e2e/test_install.py."""
import hashlib
import os
import pathlib
import re
import subprocess
import zipfile

import pytest
import yaml

ROOT = pathlib.Path(__file__).resolve().parents[2]
EXE = pathlib.Path(os.environ.get('VANTACLE_EXE', ROOT / 'build' / 'win32' / 'Vantacle.exe'))

# The required properties of the multi-file manifests, from winget's schemas.
REQUIRED = {
    'version': ['PackageIdentifier', 'PackageVersion', 'DefaultLocale', 'ManifestType',
                'ManifestVersion'],
    'installer': ['PackageIdentifier', 'PackageVersion', 'Installers', 'ManifestType',
                  'ManifestVersion'],
    'defaultLocale': ['PackageIdentifier', 'PackageVersion', 'PackageLocale', 'Publisher',
                      'PackageName', 'License', 'ShortDescription', 'ManifestType',
                      'ManifestVersion'],
}
REQUIRED_PER_INSTALLER = ['Architecture', 'InstallerUrl', 'InstallerSha256']
IDENTIFIER = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')


@pytest.fixture(scope='module')
def dist(tmp_path_factory):
    out = tmp_path_factory.mktemp('dist')
    subprocess.run(['bash', ROOT / 'scripts' / 'dist.sh', EXE, out], check=True,
                   stdout=subprocess.DEVNULL)
    return out


def msi_properties(msi):
    table = subprocess.run(['msiinfo', 'export', msi, 'Property'], check=True,
                           stdout=subprocess.PIPE, text=True).stdout
    return dict(line.split('\t', 1) for line in table.splitlines() if '\t' in line)


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def test_winget_manifests_have_every_required_field_and_agree_with_the_msi(dist):
    msi = next(dist.glob('Vantacle-*.msi'))
    properties = msi_properties(msi)
    version = properties['ProductVersion']
    folder = dist / 'winget' / 'manifests' / 'q' / 'Quillmont' / 'Vantacle' / version
    # As winget reads them: every value a string, as written.
    manifests = {}
    for path in folder.glob('*.yaml'):
        manifest = yaml.load(path.read_text(encoding='utf-8'), Loader=yaml.BaseLoader)
        manifests[manifest['ManifestType']] = (path.name, manifest)
    assert sorted(manifests) == sorted(REQUIRED)

    for kind, (name, manifest) in manifests.items():
        missing = [field for field in REQUIRED[kind] if not manifest.get(field)]
        assert not missing, f'{name} lacks {missing}'
        assert re.fullmatch(r'\d+\.\d+\.\d+', manifest['ManifestVersion']), name
        assert IDENTIFIER.match(manifest['PackageIdentifier']), name
        assert (manifest['PackageIdentifier'], manifest['PackageVersion']) == (
            'Quillmont.Vantacle', version), name

    _, version_manifest = manifests['version']
    _, installer = manifests['installer']
    locale_name, locale = manifests['defaultLocale']
    assert version_manifest['DefaultLocale'] == locale['PackageLocale']
    assert locale_name == f'Quillmont.Vantacle.locale.{locale["PackageLocale"]}.yaml'
    assert manifests['version'][0] == 'Quillmont.Vantacle.yaml'
    assert manifests['installer'][0] == 'Quillmont.Vantacle.installer.yaml'

    # What a user of winget is told and gets.
    assert (locale['Publisher'], locale['PackageName']) == ('Quillmont', 'Vantacle')
    assert locale['Description'] and re.match(r'https?://', locale['PackageUrl'])
    entries = installer['Installers']
    assert len(entries) == 1
    entry = entries[0]
    missing = [field for field in REQUIRED_PER_INSTALLER if not entry.get(field)]
    assert not missing, f'the installer lacks {missing}'
    assert entry.get('InstallerType', installer.get('InstallerType')) == 'msi'
    assert entry.get('Scope', installer.get('Scope')) == 'user'
    assert entry['Architecture'] == 'x86'
    assert entry['InstallerUrl'].startswith('https://') and entry['InstallerUrl'].endswith(
        '/' + msi.name)
    assert entry['InstallerSha256'] == sha256(msi).upper()
    assert installer['ProductCode'] == properties['ProductCode']
    assert installer['AppsAndFeaturesEntries'][0]['UpgradeCode'] == properties['UpgradeCode']


def test_sums_name_both_downloads_and_match_them(dist):
    lines = (dist / 'SHA256SUMS').read_text().splitlines()
    sums = dict(reversed(line.split('  ', 1)) for line in lines)
    assert sorted(sums) == sorted(p.name for p in dist.glob('Vantacle-*') if p.is_file())
    assert len(sums) == 2
    for name, digest in sums.items():
        assert sha256(dist / name) == digest, name


def test_portable_zip_holds_the_exe_and_a_windows_text_about_it(dist):
    archive = next(dist.glob('Vantacle-*-portable.zip'))
    with zipfile.ZipFile(archive) as z:
        assert sorted(z.namelist()) == ['Readme.txt', 'Vantacle.exe']
        assert z.read('Vantacle.exe') == EXE.read_bytes()
        text = z.read('Readme.txt').decode('ascii')
    assert '\n' not in text.replace('\r\n', '')  # Notepad's line ends throughout
    # Where the settings are, and how to remove them.
    for needed in (r'HKEY_CURRENT_USER\SOFTWARE\Quillmont\Vantacle',
                   r'HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run',
                   r'reg delete "HKCU\SOFTWARE\Quillmont', 'Vantacle.exe /close'):
        assert needed in text, needed
